<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>Não foi possível ler o arquivo de configurações %1 (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>A calculadora inicia sem seus valores, e o arquivo não é gravado, para que seu conteúdo não se perca.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>A calculadora inicia sem seus valores.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>as configurações não foram salvas: não foi possível ler %1</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Não foi possível salvar as configurações em %1.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>Não foi possível ler o arquivo da fita %1 (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>A fita começa vazia, e o arquivo não é gravado, para que seu conteúdo não se perca.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>O arquivo foi movido para %1. A fita começa vazia e é mantida a partir de agora.</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>Não foi possível movê-lo (%1).</translation>
    </message>
</context>
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Graus</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Radianos</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Grados</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>&amp;Unidade de ângulo:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Idioma da área de trabalho</translation>
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
        <translation>&amp;Multiplicar e dividir antes de somar e subtrair</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>Teclas de &amp;função antes do número</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>&amp;Porcentagem como operador (200 % 10 = 20)</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Números</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>&amp;Separadores de milhar (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>&amp;Agrupamento indiano (%1)</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>Manter a calculadora sobre as outras &amp;janelas</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>Op&amp;eradores na linha do seu número na fita</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>&amp;Remover zeros à direita dos resultados</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>Casas &amp;decimais:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>No Wayland, a área de trabalho posiciona as janelas e decide qual fica por cima.</translation>
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
        <translation>Fita</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Colar</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>Sobre o LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Uma calculadora de bolso para a área de trabalho.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Arquivo de configurações: %1</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Configurações…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Desfazer</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Refazer</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Casas decimais</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Mais casas decimais</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Menos casas decimais</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Software livre sob a licença MIT.</translation>
    </message>
</context>
</TS>
