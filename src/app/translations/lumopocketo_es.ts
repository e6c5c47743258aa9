<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>No se pudo leer el archivo de configuración %1 (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>La calculadora se inicia sin sus valores y el archivo no se escribe, para que su contenido no se pierda.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>La calculadora se inicia sin sus valores.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>la configuración no se guardó: no se pudo leer %1</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>No se pudo guardar la configuración en %1.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>No se pudo leer el archivo de la cinta %1 (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>La cinta empieza vacía y el archivo no se escribe, para que su contenido no se pierda.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>El archivo se movió a %1. La cinta empieza vacía y se guarda a partir de ahora.</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>No se pudo mover (%1).</translation>
    </message>
</context>
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Grados</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Radianes</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Gradianes</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>&amp;Unidad angular:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Idioma del escritorio</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Idioma:</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Cálculo</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>&amp;Multiplicar y dividir antes de sumar y restar</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>Teclas de &amp;función antes del número</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>&amp;Porcentaje como operador (200 % 10 = 20)</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Números</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>&amp;Separadores de miles (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>Agrupación i&amp;ndia (%1)</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>Mantener la calculadora sobre las demás &amp;ventanas</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>&amp;Operadores en la línea de su número en la cinta</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>&amp;Eliminar los ceros finales de los resultados</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>Posiciones &amp;decimales:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>En Wayland, el escritorio coloca las ventanas y decide cuál permanece encima.</translation>
    </message>
</context>
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Científica</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Cinta</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>Acerca de LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Una calculadora de bolsillo para el escritorio.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Archivo de configuración: %1</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Configuración…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rehacer</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Posiciones decimales</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Más posiciones decimales</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Menos posiciones decimales</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Software libre bajo la licencia MIT.</translation>
    </message>
</context>
</TS>
