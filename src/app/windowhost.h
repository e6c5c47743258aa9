// What the program's additions to a calculator window need from the
// program: its translations, its settings and choices, and the switch to
// the other kind of window. The data module implements it.
#pragma once

#include "options.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators_undo.h"
#include "brix/calcwindows/tapedocument.h"

#include <QMargins>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

// What a window hands on to the window that replaces it.
struct TPocketoCarried
{
    Brix::TBrixCalcEngineState State;
    Brix::TBrixCalcUndoHistory UndoHistory;
    // Where it stood: its client area's top-left corner on the screen (the
    // corner the user chose, where the window stood elsewhere only to stay
    // on the screen; none where windows cannot be placed) and its frame's
    // thickness; the next window keeps that corner.
    std::optional<QPoint> TopLeft;
    QMargins Frame;
};

class TPocketoWindowHost
{
public:
    virtual ~TPocketoWindowHost();

    // Installs the program's and Qt's translations for the calculator's
    // language; returns whether it installed new ones (texts built before
    // are then in the old language).
    virtual bool UseTranslations() = 0;
    // The language the program's calculator speaks.
    virtual Brix::TBrixLanguage Language() const = 0;

    // The choices of the Settings dialog as the program holds them, and
    // taking new ones for the rest of the run and for the save.
    virtual TPocketoSettings Settings() const = 0;
    virtual void ApplySettings(const TPocketoSettings &Value) = 0;

    // The menu's remembered choices: the tape open beside the window, and
    // the scientific window instead of the compact one.
    virtual bool ShowTape() const = 0;
    virtual void SetShowTape(bool Value) = 0;
    // The size the user gave the tape's window (its client area), or an
    // invalid size while none was given: the tape is then as high as the
    // calculator window.
    virtual QSize TapeSize() const = 0;
    virtual void SetTapeSize(const QSize &Value) = 0;
    virtual void SetScientific(bool Value) = 0;
    // The window closes now to be shown again as the kind SetScientific
    // chose; the next window goes on with Carried.
    virtual void ReplaceWindow(TPocketoCarried Carried) = 0;

    // The settings file the program writes.
    virtual QString SettingsFile() const = 0;

    // The program's tape, shared by its windows, and writing it to its file
    // (when a calculation ends).
    virtual Brix::TBrixTapeDocument &Tape() = 0;
    virtual void SaveTape() = 0;
};
