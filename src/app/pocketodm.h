// The program's data module: a plain container that owns the four library
// components of the calculator and links them, built in code between
// BeginLoading() and EndLoading() so each component's Loaded() runs as after
// reading a stored description.
#pragma once

#include "brix/classes/component.h"
#include "options.h"
#include "pocketotranslations.h"
#include "windowhost.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace Brix {
class TBrixCalcForm;
class TBrixCalcFormBase;
class TBrixSciCalcForm;
class TBrixCalculator;
class TBrixFormatter;
class TBrixStoreCtrl;
class TBrixUICtrl;
} // namespace Brix

class TDM : public Brix::TComponent, public TPocketoWindowHost
{
public:
    // The module with its four components: the calculator (compact standard
    // window, title "LumoPocketo v" and the version, displays in "Segoe UI"), the
    // formatter (percent places 2), the UI control (header, calculator and
    // calendar fonts) and the store control (buffered INI file
    // "%AppDir%\lumopocketo.ini", section "Defaults"). Freed with Free(),
    // which frees the components; the buffered settings file is written when
    // the store control goes (call its ForceCloseStorage first to see a
    // write failure). Table: the program's Boolean options (its defaults
    // are taken at once).
    static TDM *Create(Brix::TComponent *AOwner = nullptr,
                       TPocketoOptionTable Table = PocketoOptions());

    Brix::TBrixCalculator *BrixCalculator1 = nullptr;
    Brix::TBrixFormatter *BrixFormatter1 = nullptr;
    Brix::TBrixUICtrl *BrixUICtrl1 = nullptr;
    Brix::TBrixStoreCtrl *BrixStoreCtrl1 = nullptr;

    // The choices of the window's menu, read and written by the program
    // beside the component's options.
    TPocketoChoices Choices;
    // The settings file the program writes (shown in the About box).
    void SetSettingsFile(const QString &Value) { FSettingsFile = Value; }

    // Shows the calculator window, the scientific one when Scientific, and
    // the other kind in its place each time the window's menu switches, with
    // the whole calculation. Returns whether the last window closed keeping
    // its values.
    bool ShowCalculator(bool Scientific);

    // ---- Settings ----

    // Reads the program's keys from the store's current file over the values
    // read before: the component's keys, the keys of the options table that
    // the component does not read, "Language" (also when empty), and the
    // tape's size ("Tape Width" and "Tape Height", both or neither).
    void LoadFromStore();
    // After the last file: sets the language (the chosen one, else the one
    // LocaleNames, the desktop's, give) and remembers every value as loaded,
    // so that SaveToStore can tell what the user changed.
    void FinishLoading(const QStringList &LocaleNames);
    // Whether a close (Kept: not by Escape) has anything to write.
    bool HasChangesToSave(bool Kept) const;
    // Writes to the store's current file. Kept: the component's keys (the
    // window's values and the options). Whatever the close: each key of the
    // options table and "Language" that the user changed (the window's
    // value, memory, decimal places and angle mode stay as they were after
    // Escape). A key the user did not change is not written, so a file that
    // never had the formatter keys or "Language" stays without.
    void SaveToStore(bool Kept);

    // The choices of the Settings dialog as the program holds them (angle
    // mode and decimal places: the component's, which the window replaces
    // with its own).
    TPocketoSettings Settings() const override;
    // Takes the dialog's choices for the rest of the run and for the save:
    // each option as its row applies it (to the component or the
    // formatter), the language to the component. Angle mode and decimal
    // places are the window's (they come back when it closes).
    void ApplySettings(const TPocketoSettings &Value) override;
    // Installs the program's and Qt's translations for the calculator's
    // language, or for its new one after a change; a no-op while they match.
    // Called where translated texts are first needed (the window's menu,
    // tape, About box and dialogs, a message at exit), so a start that shows
    // none of them loads none. Returns whether it installed new ones.
    bool UseTranslations() override;

    // The rest of what the window's additions need.
    Brix::TBrixLanguage Language() const override;
    bool ShowTape() const override { return Choices.ShowTape; }
    void SetShowTape(bool Value) override { Choices.ShowTape = Value; }
    QSize TapeSize() const override { return Choices.TapeSize; }
    void SetTapeSize(const QSize &Value) override { Choices.TapeSize = Value; }
    void SetScientific(bool Value) override { Choices.Scientific = Value; }
    void ReplaceWindow(TPocketoCarried Carried) override;
    QString SettingsFile() const override { return FSettingsFile; }
    Brix::TBrixTapeDocument &Tape() override { return FTape; }
    // Writes the tape to its file (none is set by default); a failure is
    // told on standard error, once.
    void SaveTape() override;

    // Trims the calculator window just before it is shown: the title is the
    // program's again (the window's language gave it the table's), the
    // cancel key is hidden (Escape still cancels, through the hidden key),
    // the window takes each option it holds too, goes on with the
    // calculation of a window it replaces, and gets the program's menu and
    // tape.
    void BrixCalculator1StartCalculator(Brix::TObject *Sender, Brix::TBrixCalcForm *&CalcForm);
    // The same for the scientific window.
    void BrixCalculator1StartSciCalculator(Brix::TObject *Sender,
                                           Brix::TBrixSciCalcForm *&CalcForm);

protected:
    explicit TDM(Brix::TComponent *AOwner) : Brix::TComponent(AOwner) {}

private:
    void TrimWindow(Brix::TBrixCalcFormBase &Form);
    // The value of each option of the table, in its order.
    std::vector<bool> Flags() const;
    // Takes Name (a language's name in any case, or "") as the chosen
    // language and gives the calculator that language, or the desktop's.
    void ChooseLanguageByName(const QString &Name);

    // The desktop's languages, most wanted first.
    QStringList FLocaleNames;
    // A "Language" name read from the files ("" when none named one).
    QString FChosenLanguage;
    // The options and what they are read from and applied to.
    TPocketoOptionTable FOptionTable;
    TPocketoOptionTarget FTarget{};
    // What was read at start.
    TPocketoSettings FLoaded;
    std::vector<bool> FLoadedFlags;
    QSize FLoadedTapeSize;
    QString FSettingsFile;
    Brix::TBrixTapeDocument FTape;
    bool FTapeSaveFailed = false;
    // Set while a window closes to be replaced by the other kind, and what
    // it hands on.
    bool FReplaceWindow = false;
    std::optional<TPocketoCarried> FCarried;
    // The installed translations and the language they are for.
    std::optional<TPocketoTranslators> FTranslators;
    Brix::TBrixLanguage FTranslatorsLanguage{};
};
