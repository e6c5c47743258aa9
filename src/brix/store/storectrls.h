/// @file
/// The settings store: named values (strings, integers, Booleans, extended
/// floats) kept in one section of a registry key, a plain INI file written
/// through on every call, or a buffered INI file written back when the store
/// is closed for good. Qt Core only: no widgets.
///
/// Typical use (the calculator component's pattern):
///   Store->OpenStorage();
///   int Places = Store->ReadInteger("Decimal Places", 4);
///   Store->WriteBoolean("Stay On Top", true);
///   Store->CloseStorage(); // a buffered store stays open until ForceCloseStorage
#pragma once

#include "brix/export.h"

#include "brix/classes/classes.h"
#include "brix/classes/globals.h"

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace Brix {

class TBrixCustomIniFile;

/// Where a store control keeps its values: nowhere, a registry stand-in, an INI file written at
/// once, or an INI file buffered until ForceCloseStorage.
enum TBrixStorageType
{
    stNone,
    stRegistry,
    stIniFile,
    stBufferedIniFile
};

/// The kind every new store control starts with; nothing in the library
/// changes it.
extern BRIX_CONTROLS_EXPORT TBrixStorageType DefaultStorageType;

/// Expands a leading folder macro and then \%USER% (ReplaceUserMacro). A
/// path that does not begin with \% keeps its text; one that begins with \%
/// but with none of the known macros gives "". Macros match in any letter
/// case; the text after the macro keeps its case. Every `\` of the given path
/// becomes `/`, since a configured `\` separates folders (a folder that a
/// macro names keeps its own characters).
///
///     "%AppDir%\x.ini"    -> "<program folder>/x.ini"
///     "%docdir%\A.ini"    -> "<documents folder>/A.ini"
///     "%NOSUCH%\x.ini"    -> ""
///     "C:\data\%user%.ini" -> "C:/data/<user name>.ini"
///
/// Macros: \%APPDIR% (the program's folder), \%APPDATADIR% (the user's data
/// folder), \%DOCDIR%, \%PICTUREDIR%, \%MUSICDIR%, \%VIDEODIR% (the user's
/// folders), \%TEMPDIR% (the temporary folder, symbolic links resolved);
/// \%ALLAPPDATADIR%, \%ALLDOCDIR%, \%ALLPICTUREDIR%, \%ALLMUSICDIR%,
/// \%ALLVIDEODIR%, \%WINDIR% and \%SYSDIR% have no counterpart here and,
/// like any folder that cannot be determined, give the program's folder.
BRIX_CONTROLS_EXPORT QString ExpandPathMacros(const QString &Path);

/// Replaces every \%USER%, in any letter case, by the logged-on user's name
/// (the account of the effective user id, else `$USER`, else "lumo"). Text
/// brought in by a replacement is not searched again.
///
///     "Calc-%user%" -> "Calc-alice"
BRIX_CONTROLS_EXPORT QString ReplaceUserMacro(const QString &Text);

/// The folder of the running program, without a trailing separator.
BRIX_CONTROLS_EXPORT QString AppFolder();

/// The logged-on user's name as ReplaceUserMacro inserts it.
BRIX_CONTROLS_EXPORT QString LoggedOnUserName();

/// The settings store control: reads and writes named values in a section of an INI file or of
/// the registry stand-in, by its StorageType.
class BRIX_CONTROLS_EXPORT TBrixStoreCtrl : public TBrixBaseComponent
{
public:
    /// Use Create (or Brix::Create<TBrixStoreCtrl>), which runs InitInternals.
    explicit TBrixStoreCtrl(TComponent *AOwner);
    ~TBrixStoreCtrl() override;

    /// Constructs the control and runs InitInternals; AOwner (may be nullptr) frees it,
    /// otherwise the caller frees it with Free().
    static TBrixStoreCtrl *Create(TComponent *AOwner);

    /// Opens the store of the current kind after CloseStorage. A buffered
    /// store that is still open stays as it is. Nothing opens when the
    /// configured path or section of the kind is empty, or the INI file name
    /// expands to "" (an unknown macro): reads then give their defaults and
    /// writes raise EFileError naming the configured file (INI kinds) or do
    /// nothing (registry without a path, stNone). For the INI kinds a missing
    /// folder is created (that one folder only; failure ignored). A buffered
    /// store reads its whole file now; a missing or unreadable file gives an
    /// empty store and the file is not touched.
    void OpenStorage();
    /// Closes a registry or plain INI store. A buffered INI store stays open
    /// with everything written to it.
    void CloseStorage();
    /// Closes every store; a buffered store writes its file first (only when
    /// something was written to it). Raises EFileError naming the file when
    /// the file cannot be written; the store then stays open with everything
    /// written to it, so a later call can try again.
    void ForceCloseStorage();

    ///@{
    /// Every read and write opens the store first when it is not open.
    /// Missing or unreadable values give Default; under stNone ReadString
    /// gives "" and ReadBoolean false whatever the default, and writes do
    /// nothing. A failed write of a plain INI file or of the registry raises
    /// EFileError naming the file.
    QString ReadString(const QString &Ident, const QString &Default);
    void WriteString(const QString &Ident, const QString &Value);
    ///@}
    ///@{
    /// Stored as decimal text ("-12"). Read: "0x"/"0X" followed by at least
    /// one character means hexadecimal; leading blanks and a sign are allowed;
    /// anything else that is not a whole number in the int range gives
    /// Default ("0x1F" -> 31, "0x" -> Default, "12abc" -> Default).
    int ReadInteger(const QString &Ident, int Default);
    void WriteInteger(const QString &Ident, int Value);
    ///@}
    ///@{
    /// Stored as "1"/"0"; read by the integer rule, any non-zero value is true.
    bool ReadBoolean(const QString &Ident, bool Default);
    void WriteBoolean(const QString &Ident, bool Value);
    ///@}
    ///@{
    /// Stored as the shortest text that reads back as the same value
    /// (StoredFloatText): fixed form for decimal exponents -5 to 18, exponent
    /// form otherwise, the regional decimal separator, never grouped; a DP
    /// below 18 caps the decimals (2.5 at 18 -> "2.5", 0 -> "0", 1.5e-19 ->
    /// "1.5E-19", -1234.5678 at 2 -> "-1234.57"). Read by StoredTextToFloat,
    /// whatever the region: "." or "," is the decimal point, so a file
    /// written under one region reads under another ("1234,5" -> 1234.5);
    /// Default when missing, grouped, or not a number.
    Extended ReadExtended(const QString &Ident, Extended Default);
    void WriteExtended(const QString &Ident, Extended Value, Byte DP);
    ///@}

    /// Where the values are kept. For this and the path and section
    /// properties below, writing an equal value does nothing.
    TBrixStorageType StorageType() const { return FStorageType; }
    /// Closes the open store for good first (ForceCloseStorage); when that
    /// raises, the property keeps its value. The same holds for RegPath and
    /// IniFile.
    void SetStorageType(TBrixStorageType Value);
    /// The registry key path (stRegistry), `%USER%` allowed.
    const QString &RegPath() const { return FRegistryPath; }
    /// Closes an open registry store for good first.
    void SetRegPath(const QString &Value);
    /// The registry section (stRegistry), `%USER%` allowed.
    const QString &RegSection() const { return FRegistrySection; }
    /// Redirects later registry reads and writes at once; the store stays open.
    void SetRegSection(const QString &Value);
    /// The INI file (the INI kinds), a leading folder macro and `%USER%`
    /// allowed (ExpandPathMacros).
    const QString &IniFile() const { return FIniFile; }
    /// Closes an open INI store for good first.
    void SetIniFile(const QString &Value);
    /// The INI section (the INI kinds), `%USER%` allowed.
    const QString &IniSection() const { return FIniSection; }
    /// Redirects later INI reads and writes at once, also on an open
    /// buffered store; the store stays open.
    void SetIniSection(const QString &Value);
    /// Plain properties, stored as given: StoreValue decides whether the store's paths are
    /// written to a component description; CustomColors is a list kept for colour pickers.
    ///@{
    bool StoreValue() const { return FStoreValue; }
    void SetStoreValue(bool Value) { FStoreValue = Value; }
    const QStringList &CustomColors() const { return FCustomColors; }
    void SetCustomColors(const QStringList &Value) { FCustomColors = Value; }
    ///@}

    ///@{
    /// Whether a property differs from its declared default and would be
    /// written to a component description.
    bool IsStorageTypeStored() const { return FStorageType != stIniFile; }
    bool IsRegPathStored() const { return FStoreValue && !FRegistryPath.isEmpty(); }
    bool IsRegSectionStored() const { return FStoreValue && !FRegistrySection.isEmpty(); }
    bool IsIniFileStored() const { return FStoreValue && !FIniFile.isEmpty(); }
    bool IsIniSectionStored() const { return FStoreValue && !FIniSection.isEmpty(); }
    bool IsStoreValueStored() const { return !FStoreValue; }
    ///@}

    /// A store is open.
    bool Opened() const { return FOpened; }
    /// The section reads and writes use (the configured one, \%USER% replaced).
    const QString &Section() const { return FSection; }
    /// The file of the open store ("" when none is open): the INI file, or
    /// the settings file that stands in for the registry key.
    QString StorageFileName() const;

protected:
    /// Writes a buffered store's file, then the base's LinkFreed round. A
    /// write failure cannot leave a teardown; it is reported on stderr with
    /// the file's name. Call ForceCloseStorage before freeing to receive it.
    void DoneInternals() override;

private:
    /// Drops every store without writing anything.
    void CloseStores() noexcept;
    /// The settings file that stands in for the registry key RegPath: one
    /// file per key path under the user's configuration folder
    /// (`\Software\Vintra` -> `<config>/Software/Vintra.conf`).
    QString RegistryFileName() const;

    TBrixStorageType FStorageType;
    QString FRegistryPath;
    QString FRegistrySection;
    QString FIniFile;
    QString FIniSection;
    std::unique_ptr<QSettings> FReg;
    std::unique_ptr<TBrixCustomIniFile> FIni;
    bool FOpened = false;
    QString FSection;
    QStringList FCustomColors;
    bool FStoreValue = true;
};

} // namespace Brix
