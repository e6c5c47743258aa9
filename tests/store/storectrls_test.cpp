// The store control: path macros, value encodings, the three kinds, the
// timing of file writes, property rules and write failures.
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/store/inifile.h"
#include "brix/store/storectrls.h"
#include "common/regional_guard.h"
#include "store_helpers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cmath>

using namespace Brix;
using BrixTest::ReadBytes;
using BrixTest::WriteBytes;

namespace {

// Each test gets its own folder, a configuration folder inside it (so the
// registry stand-in never touches the real user's settings) and "." as the
// decimal separator; everything is put back afterwards.
class StoreCtrlTest : public BrixTest::RegionalFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        RegionalFixture::SetUp();
        SavedConfigHome = qgetenv("XDG_CONFIG_HOME");
        HadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", ConfigFolder().toLocal8Bit());
    }
    void TearDown() override
    {
        RegionalFixture::TearDown();
        if (HadConfigHome)
            qputenv("XDG_CONFIG_HOME", SavedConfigHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    QString ConfigFolder() const { return Dir.filePath("config"); }
    QString File(const QString &Name) const { return Dir.filePath(Name); }

    // A store of Kind on the test's file "x.ini" (or the registry key
    // \Software\LumoTest), section "Defaults".
    TOwned<TBrixStoreCtrl> NewStore(TBrixStorageType Kind, const QString &Name = "x.ini")
    {
        TOwned<TBrixStoreCtrl> Store(TBrixStoreCtrl::Create(nullptr));
        Store->SetStorageType(Kind);
        Store->SetIniFile(File(Name));
        Store->SetRegPath(QStringLiteral("\\Software\\LumoTest"));
        return Store;
    }

    QTemporaryDir Dir;
    QByteArray SavedConfigHome;
    bool HadConfigHome = false;
};

QString PasswdUserName()
{
    const passwd *Entry = getpwuid(geteuid());
    return Entry ? QString::fromLocal8Bit(Entry->pw_name) : QString();
}

} // namespace

TEST_F(StoreCtrlTest, StartsWithTheDeclaredDefaults)
{
    TOwned<TBrixStoreCtrl> Store(TBrixStoreCtrl::Create(nullptr));
    EXPECT_EQ(Store->StorageType(), stIniFile);
    EXPECT_EQ(Store->RegPath(), "\\Software\\Vintra");
    EXPECT_EQ(Store->RegSection(), "Defaults");
    EXPECT_EQ(Store->IniFile(), "%AppDir%\\brixkit.ini");
    EXPECT_EQ(Store->IniSection(), "Defaults");
    EXPECT_TRUE(Store->StoreValue());
    EXPECT_FALSE(Store->Opened());
    EXPECT_FALSE(Store->IsStorageTypeStored());
    EXPECT_TRUE(Store->IsIniFileStored());
    Store->SetStoreValue(false);
    EXPECT_FALSE(Store->IsIniFileStored());
    EXPECT_TRUE(Store->IsStoreValueStored());
}

TEST_F(StoreCtrlTest, ExpandsFolderMacrosInAnyCase)
{
    const QString App = QCoreApplication::applicationDirPath();
    const QString User = PasswdUserName();
    ASSERT_FALSE(User.isEmpty());
    auto Location = [](QStandardPaths::StandardLocation L) {
        return QStandardPaths::writableLocation(L);
    };
    struct Row
    {
        const char *Path;
        QString Expected;
    } Rows[] = {
        {"%appdir%\\x.ini", App + "/x.ini"},
        {"%AppDir%\\Mixed.INI", App + "/Mixed.INI"},
        {"%APPDIR%\\x.ini", App + "/x.ini"},
        {"%AppDataDir%\\Vendor\\a.ini",
         Location(QStandardPaths::GenericDataLocation) + "/Vendor/a.ini"},
        {"%DocDir%\\d.ini", Location(QStandardPaths::DocumentsLocation) + "/d.ini"},
        {"%VideoDIR%\\v.ini", Location(QStandardPaths::MoviesLocation) + "/v.ini"},
        {"%VIDEODIR%\\v.ini", Location(QStandardPaths::MoviesLocation) + "/v.ini"},
        {"%TempDir%\\t.ini", QFileInfo(QDir::tempPath()).canonicalFilePath() + "/t.ini"},
        {"%WINDIR%\\w.ini", App + "/w.ini"},
        {"%AllDocDir%\\w.ini", App + "/w.ini"},
        {"%APPDIR%", App},
        {"%NOSUCH%\\x.ini", ""},
        {"%", ""},
        {"", ""},
        {"C:\\data\\%user%.ini", "C:/data/" + User + ".ini"},
        {"%AppDir%\\%USER%\\%User%.ini", App + "/" + User + "/" + User + ".ini"},
        {"/plain/path.ini", "/plain/path.ini"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Path);
        EXPECT_EQ(ExpandPathMacros(QString::fromUtf8(R.Path)), R.Expected);
    }
    EXPECT_EQ(ReplaceUserMacro("Calc-%uSeR%\\%USER%"), "Calc-" + User + "\\" + User);
    EXPECT_EQ(ReplaceUserMacro("%USER"), "%USER");

    // Only the configured text has "\" for a separator: a folder the system
    // names keeps its own characters.
    const QByteArray SavedDataHome = qgetenv("XDG_DATA_HOME");
    const bool HadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QString DataHome = Dir.filePath("data\\home");
    qputenv("XDG_DATA_HOME", DataHome.toLocal8Bit());
    EXPECT_EQ(ExpandPathMacros("%APPDATADIR%\\sub\\a.ini"), DataHome + "/sub/a.ini");
    if (HadDataHome)
        qputenv("XDG_DATA_HOME", SavedDataHome);
    else
        qunsetenv("XDG_DATA_HOME");
}

// A "\" in a configured file name separates folders: the file lands where
// the path says, not in a file whose name holds a backslash.
TEST_F(StoreCtrlTest, BackslashesInTheFileNameAreFolders)
{
    const QString Stem = QStringLiteral("store-test-%1.ini").arg(getpid());
    const QString BesideProgram = QCoreApplication::applicationDirPath() + "/" + Stem;
    {
        TOwned<TBrixStoreCtrl> Store(TBrixStoreCtrl::Create(nullptr));
        Store->SetIniFile("%AppDir%\\" + Stem);
        Store->WriteString("k", "v");
        EXPECT_EQ(Store->StorageFileName(), BesideProgram);
    }
    EXPECT_EQ(ReadBytes(BesideProgram), QByteArray("[Defaults]\r\nk=v\r\n"));
    QFile::remove(BesideProgram);

    // The missing last folder is made; a missing parent is not.
    TOwned<TBrixStoreCtrl> Store(TBrixStoreCtrl::Create(nullptr));
    Store->SetIniFile(Dir.path() + "\\sub\\x.ini");
    Store->WriteString("k", "v");
    EXPECT_TRUE(QFileInfo(File("sub/x.ini")).isFile());
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(StoreCtrlTest, IntegerAndBooleanReadsFollowTheStoredText)
{
    struct Row
    {
        const char *Stored;
        int Integer;  // ReadInteger(.., 7)
        bool Boolean; // ReadBoolean(.., true)
    } Rows[] = {
        {"0x1F", 31, true},
        {"0X1f", 31, true},
        {"0x", 7, true},
        {"12abc", 7, true},
        {"-12", -12, true},
        {"  -12", -12, true},
        {"+5", 5, true},
        {"- 5", 7, true},
        {"$ff", 255, true},
        {"0xFFFFFFFF", -1, true},
        {"0x100000000", 7, true},
        {"2147483647", INT_MAX, true},
        {"2147483648", 7, true},
        {"-2147483648", INT_MIN, true},
        {"0", 0, false},
        {"0x0", 0, false},
        {"", 7, true},
        {"x1F", 7, true},
        {"1.5", 7, true},
    };
    // The registry stand-in keeps leading blanks, which INI lines lose.
    TOwned<TBrixStoreCtrl> Store = NewStore(stRegistry);
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Stored);
        Store->WriteString("v", R.Stored);
        EXPECT_EQ(Store->ReadInteger("v", 7), R.Integer);
        EXPECT_EQ(Store->ReadBoolean("v", true), R.Boolean);
    }
    EXPECT_EQ(Store->ReadInteger("missing", 7), 7);
    EXPECT_TRUE(Store->ReadBoolean("missing", true));
    Store->WriteBoolean("b", true);
    EXPECT_EQ(Store->ReadString("b", ""), "1");
    EXPECT_EQ(Store->ReadInteger("b", 7), 1);
    Store->WriteBoolean("b", false);
    EXPECT_EQ(Store->ReadString("b", ""), "0");
    Store->WriteInteger("i", 0);
    EXPECT_FALSE(Store->ReadBoolean("i", true));
    Store->WriteInteger("i", INT_MIN);
    EXPECT_EQ(Store->ReadString("i", ""), "-2147483648");
    EXPECT_EQ(Store->ReadInteger("i", 7), INT_MIN);
}

TEST_F(StoreCtrlTest, ExtendedValuesAreRegionalFixedText)
{
    struct Row
    {
        const char *Name;
        Extended Value;
        Byte DP;
        char16_t Separator;
        const char *Stored;
        Extended ReadBack;
    } Rows[] = {
        {"2.5 at 18", 2.5L, 18, u'.', "2.5", 2.5L},
        {"zero", 0.0L, 4, u'.', "0", 0.0L},
        {"rounded", -1234.5678L, 2, u'.', "-1234.57", -1234.57L},
        {"comma locale", 2.5L, 18, u',', "2,5", 2.5L},
        {"no fixed form", 1e20L, 4, u'.', "1E+20", 1e20L},
        {"whole number", 3.0L, 4, u'.', "3", 3.0L},
    };
    TOwned<TBrixStoreCtrl> Store = NewStore(stBufferedIniFile);
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        RegionalSettings().DecimalSeparator = QChar(R.Separator);
        RegionalSettings().ThousandSeparator = R.Separator == u',' ? u'.' : u',';
        Store->WriteExtended("e", R.Value, R.DP);
        EXPECT_EQ(Store->ReadString("e", ""), R.Stored);
        EXPECT_EQ(Store->ReadExtended("e", -1), R.ReadBack);
    }
    RegionalSettings().DecimalSeparator = u'.';
    RegionalSettings().ThousandSeparator = u',';
    for (const char *Bad : {"", "abc", "1.2.3"}) {
        SCOPED_TRACE(Bad);
        Store->WriteString("e", Bad);
        EXPECT_EQ(Store->ReadExtended("e", 9.5L), 9.5L);
    }
    EXPECT_EQ(Store->ReadExtended("missing", 9.5L), 9.5L);
}

// Memory and every stored value come back as the same 80-bit value: the
// shortest text that reads back so, in the region's separator, read under
// any region. Expected texts from Python's decimal module on the exact
// binary values.
TEST_F(StoreCtrlTest, ExtendedValuesReadBackExactly)
{
    struct Row
    {
        const char *Name;
        Extended Value;
        Byte DP;
        char16_t WrittenUnder;
        const char *Stored;
    } Rows[] = {
        {"1.5e-19", 1.5e-19L, 18, u'.', "1.5E-19"},
        {"2^-70", std::ldexp(1.0L, -70), 18, u'.', "8.470329472543003391E-22"},
        {"1/3", 1.0L / 3, 18, u'.', "0.33333333333333333334"},
        {"many digits", 123456789.123456789123L, 18, u'.', "123456789.12345678912"},
        {"1.23456789e-15", 1.23456789e-15L, 18, u'.', "1.23456789E-15"},
        {"near the largest", 1.1e4932L, 18, u'.', "1.1E+4932"},
        {"negative zero", -0.0L, 18, u'.', "-0"},
        {"last fixed exponent", 1e18L, 18, u'.', "1000000000000000000"},
        {"first exponent form", -1e19L, 18, u'.', "-1E+19"},
        {"smallest fixed", 1e-5L, 18, u'.', "0.00001"},
        {"largest of exponent form below", 9.5e-6L, 18, u'.', "9.5E-6"},
        {"written under a comma", 1234.5L, 18, u',', "1234,5"},
        {"small under a comma", -2.5e-7L, 18, u',', "-2,5E-7"},
    };
    TOwned<TBrixStoreCtrl> Store = NewStore(stBufferedIniFile);
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        RegionalSettings().DecimalSeparator = QChar(R.WrittenUnder);
        RegionalSettings().ThousandSeparator = R.WrittenUnder == u',' ? u'.' : u',';
        Store->WriteExtended("e", R.Value, R.DP);
        EXPECT_EQ(Store->ReadString("e", ""), R.Stored);
        // Read under either region, after a restart.
        Store.reset();
        for (char16_t Under : {u'.', u','}) {
            RegionalSettings().DecimalSeparator = QChar(Under);
            RegionalSettings().ThousandSeparator = Under == u',' ? u'.' : u',';
            Store = NewStore(stBufferedIniFile);
            const Extended Back = Store->ReadExtended("e", 99);
            EXPECT_EQ(Back, R.Value);
            EXPECT_EQ(std::signbit(Back), std::signbit(R.Value));
        }
    }
}

// Stored numbers are never grouped: "." and "," both mean the decimal
// point, and a text with two separators gives the default, as any text that
// is not a number does. Older files, written with 18 fixed decimals, read.
TEST_F(StoreCtrlTest, StoredNumbersReadWithEitherSeparator)
{
    struct Row
    {
        const char *Stored;
        Extended Expected; // 99 is the default
    } Rows[] = {
        {"1234,5", 1234.5L}, {"1234.5", 1234.5L},
        {"2,5", 2.5L},       {" -0,125\t", -0.125L},
        {"+3", 3.0L},        {"1e5", 1e5L},
        {"1,5E-3", 1.5e-3L}, {"0.000000000000001235", 1.235e-15L},
        {",5", 0.5L},        {"1,234.5", 99},
        {"1.234,5", 99},     {"1,234,567", 99},
        {"1.234.567", 99},   {"1 234", 99},
        {"12%", 99},         {"(5)", 99},
        {"inf", 99},         {"nan", 99},
        {"0x1p3", 99},       {"1e", 99},
        {"1e99999", 99},     {"", 99},
        {"-", 99},           {".", 99},
    };
    for (char16_t Under : {u'.', u','}) {
        RegionalSettings().DecimalSeparator = QChar(Under);
        RegionalSettings().ThousandSeparator = Under == u',' ? u'.' : u',';
        TOwned<TBrixStoreCtrl> Store = NewStore(stBufferedIniFile);
        for (const Row &R : Rows) {
            SCOPED_TRACE(std::string(R.Stored) + (Under == u',' ? " under ," : " under ."));
            Store->WriteString("e", R.Stored);
            EXPECT_EQ(Store->ReadExtended("e", 99), R.Expected);
        }
    }
}

// A caller's smaller decimal count caps the decimals, rounded from the exact
// value; a small value is kept in exponent form rather than written as 0.
TEST_F(StoreCtrlTest, SmallerDecimalCountsCapTheDecimals)
{
    struct Row
    {
        Extended Value;
        Byte DP;
        const char *Stored;
    } Rows[] = {
        {-1234.5678L, 2, "-1234.57"},
        {1.0L / 3, 4, "0.3333"},
        {2.5L, 0, "3"},
        {0.125L, 2, "0.13"},
        {1.5e-19L, 4, "1.5E-19"},
        {1.23456e25L, 2, "1.23E+25"},
        {9.996e25L, 2, "1E+26"},
        {123456789.123456789123L, 17, "123456789.12345678912"},
    };
    TOwned<TBrixStoreCtrl> Store = NewStore(stIniFile);
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Stored);
        Store->WriteExtended("e", R.Value, R.DP);
        EXPECT_EQ(Store->ReadString("e", ""), R.Stored);
    }
}

TEST_F(StoreCtrlTest, NoStorageReadsNothingAndWritesNothing)
{
    TOwned<TBrixStoreCtrl> Store = NewStore(stNone);
    Store->WriteString("s", "text");
    Store->WriteInteger("i", 5);
    EXPECT_EQ(Store->ReadString("s", "default"), "");
    EXPECT_FALSE(Store->ReadBoolean("b", true));
    EXPECT_EQ(Store->ReadInteger("i", 7), 7);
    EXPECT_EQ(Store->ReadExtended("e", 1.5L), 1.5L);
    EXPECT_FALSE(Store->Opened());
    Store.reset();
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

// The plain store writes on every call; the buffered one only when it is
// closed for good, whatever CloseStorage says.
TEST_F(StoreCtrlTest, PlainWritesAtOnceBufferedWhenClosedForGood)
{
    const QByteArray Old = "[Defaults]\r\nold=1\r\n";
    ASSERT_TRUE(WriteBytes(File("plain.ini"), Old));
    ASSERT_TRUE(WriteBytes(File("buffered.ini"), Old));

    TOwned<TBrixStoreCtrl> Plain = NewStore(stIniFile, "plain.ini");
    Plain->WriteString("new", "2");
    EXPECT_EQ(ReadBytes(File("plain.ini")), QByteArray("[Defaults]\r\nold=1\r\nnew=2\r\n"));
    Plain->CloseStorage();
    EXPECT_FALSE(Plain->Opened());

    TOwned<TBrixStoreCtrl> Buffered = NewStore(stBufferedIniFile, "buffered.ini");
    Buffered->WriteString("new", "2");
    Buffered->CloseStorage();
    EXPECT_TRUE(Buffered->Opened());
    EXPECT_EQ(ReadBytes(File("buffered.ini")), Old);
    // Reopening keeps the buffered store and what was written to it.
    Buffered->OpenStorage();
    EXPECT_EQ(Buffered->ReadString("NEW", ""), "2");
    // A change made to the file meanwhile is overwritten at the end.
    ASSERT_TRUE(WriteBytes(File("buffered.ini"), "[Defaults]\r\nother=3\r\n"));
    EXPECT_EQ(Buffered->ReadString("other", "none"), "none");
    Buffered->ForceCloseStorage();
    EXPECT_FALSE(Buffered->Opened());
    EXPECT_EQ(ReadBytes(File("buffered.ini")), QByteArray("[Defaults]\r\nold=1\r\nnew=2\r\n\r\n"));

    // Freeing the control is where the application's file is written.
    Buffered->WriteString("last", "4");
    Buffered.reset();
    EXPECT_EQ(ReadBytes(File("buffered.ini")),
              QByteArray("[Defaults]\r\nold=1\r\nnew=2\r\nlast=4\r\n\r\n"));
}

TEST_F(StoreCtrlTest, SectionChangesRedirectAnOpenBufferedStore)
{
    TOwned<TBrixStoreCtrl> Store = NewStore(stBufferedIniFile);
    Store->SetIniSection("One");
    Store->WriteInteger("A", 1);
    Store->SetIniSection("Two %USER%");
    EXPECT_TRUE(Store->Opened());
    EXPECT_EQ(Store->Section(), "Two " + PasswdUserName());
    Store->WriteInteger("B", 2);
    EXPECT_EQ(Store->ReadInteger("A", 7), 7);
    // A registry section does not concern an INI store.
    Store->SetRegSection("Elsewhere");
    EXPECT_EQ(Store->Section(), "Two " + PasswdUserName());
    Store->SetIniSection("ONE");
    EXPECT_EQ(Store->ReadInteger("a", 7), 1);
    Store->ForceCloseStorage();
    EXPECT_EQ(ReadBytes(File("x.ini")),
              ("[One]\r\nA=1\r\n\r\n[Two " + PasswdUserName() + "]\r\nB=2\r\n\r\n").toUtf8());
}

TEST_F(StoreCtrlTest, ValuesRoundTripThroughEveryKind)
{
    struct Row
    {
        const char *Name;
        TBrixStorageType Kind;
    } Rows[] = {
        {"registry", stRegistry}, {"plain INI", stIniFile}, {"buffered INI", stBufferedIniFile}};
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        {
            TOwned<TBrixStoreCtrl> Store = NewStore(R.Kind);
            Store->SetRegSection("Calc %USER%");
            Store->SetIniSection("Calc %USER%");
            Store->OpenStorage();
            Store->WriteString("Name", QStringLiteral("Grüße, \"quoted\" = 1; x"));
            Store->WriteInteger("Count", -12);
            Store->WriteBoolean("Flag", true);
            Store->WriteExtended("Value", 0.125L, 18);
            Store->WriteString("Name", "second"); // overwrite keeps one value
            Store->CloseStorage();
        }
        TOwned<TBrixStoreCtrl> Store = NewStore(R.Kind);
        Store->SetRegSection("CALC %user%");
        Store->SetIniSection("CALC %user%");
        EXPECT_EQ(Store->ReadString("NAME", "-"), "second");
        EXPECT_EQ(Store->ReadInteger("count", 0), -12);
        EXPECT_TRUE(Store->ReadBoolean("FLAG", false));
        EXPECT_EQ(Store->ReadExtended("value", 0), 0.125L);
        Store->WriteString("Text", QStringLiteral("Grüße, \"quoted\" = 1; x"));
        EXPECT_EQ(Store->ReadString("text", "-"), QStringLiteral("Grüße, \"quoted\" = 1; x"));
        EXPECT_EQ(Store->ReadString("Missing", "-"), "-");
        if (R.Kind == stRegistry)
            EXPECT_EQ(Store->StorageFileName(), ConfigFolder() + "/Software/LumoTest.conf");
        else
            EXPECT_EQ(Store->StorageFileName(), File("x.ini"));
    }
    EXPECT_TRUE(QFileInfo(ConfigFolder() + "/Software/LumoTest.conf").isFile());
}

TEST_F(StoreCtrlTest, RegistryKeyPathsStayInTheConfigurationFolder)
{
    TOwned<TBrixStoreCtrl> Store = NewStore(stRegistry);
    Store->SetRegPath("\\..\\..\\.\\Escape\\%USER%");
    Store->WriteString("k", "v");
    EXPECT_EQ(Store->StorageFileName(), ConfigFolder() + "/Escape/" + PasswdUserName() + ".conf");
    EXPECT_TRUE(QFileInfo(Store->StorageFileName()).isFile());
}

TEST_F(StoreCtrlTest, PropertyChangesCloseTheStoreForGood)
{
    TOwned<TBrixStoreCtrl> Store = NewStore(stBufferedIniFile, "first.ini");
    Store->WriteString("k", "1");
    Store->SetIniFile(File("first.ini")); // unchanged: the store stays open
    EXPECT_TRUE(Store->Opened());
    EXPECT_FALSE(QFileInfo::exists(File("first.ini")));
    Store->SetRegPath("\\Other"); // not the current kind
    EXPECT_TRUE(Store->Opened());
    Store->SetIniFile(File("second.ini"));
    EXPECT_FALSE(Store->Opened());
    EXPECT_EQ(ReadBytes(File("first.ini")), QByteArray("[Defaults]\r\nk=1\r\n\r\n"));
    Store->WriteString("k", "2");
    Store->SetStorageType(stIniFile);
    EXPECT_EQ(ReadBytes(File("second.ini")), QByteArray("[Defaults]\r\nk=2\r\n\r\n"));
    Store->WriteString("k", "3");
    EXPECT_EQ(ReadBytes(File("second.ini")), QByteArray("[Defaults]\r\nk=3\r\n\r\n"));
}

// A file that cannot be written raises an error naming it, at the write of
// a plain store and when a buffered store is closed for good; the buffered
// store keeps its values so that the write can be tried again.
TEST_F(StoreCtrlTest, UnwritableFilesRaiseErrorsNamingThem)
{
    const QString Name = File("missing/deeper/x.ini");
    auto ExpectFileError = [&](const std::function<void()> &Call, const QString &Named) {
        try {
            Call();
            ADD_FAILURE() << "no error";
        } catch (const EFileError &E) {
            EXPECT_TRUE(E.Message().contains(Named)) << E.what();
        }
    };

    TOwned<TBrixStoreCtrl> Plain = NewStore(stIniFile, "missing/deeper/x.ini");
    EXPECT_EQ(Plain->ReadString("k", "d"), "d");
    ExpectFileError([&] { Plain->WriteString("k", "v"); }, Name);

    TOwned<TBrixStoreCtrl> Buffered = NewStore(stBufferedIniFile, "missing/deeper/x.ini");
    Buffered->WriteString("k", "v");
    ExpectFileError([&] { Buffered->ForceCloseStorage(); }, Name);
    EXPECT_TRUE(Buffered->Opened());
    ASSERT_TRUE(QDir().mkpath(File("missing/deeper")));
    Buffered->ForceCloseStorage();
    EXPECT_EQ(ReadBytes(Name), QByteArray("[Defaults]\r\nk=v\r\n\r\n"));

    // An unknown folder macro leaves nowhere to write to.
    TOwned<TBrixStoreCtrl> Unknown(TBrixStoreCtrl::Create(nullptr));
    Unknown->SetIniFile("%NOSUCH%\\x.ini");
    EXPECT_EQ(Unknown->ReadInteger("k", 7), 7);
    ExpectFileError([&] { Unknown->WriteInteger("k", 1); }, "%NOSUCH%\\x.ini");

    // The registry stand-in: its key's folder is taken by a plain file.
    ASSERT_TRUE(QDir().mkpath(ConfigFolder()));
    ASSERT_TRUE(WriteBytes(ConfigFolder() + "/Blocked", "not a folder"));
    TOwned<TBrixStoreCtrl> Registry = NewStore(stRegistry);
    Registry->SetRegPath("\\Blocked\\Key");
    EXPECT_EQ(Registry->ReadString("k", "d"), "d");
    ExpectFileError([&] { Registry->WriteString("k", "v"); }, ConfigFolder() + "/Blocked/Key.conf");

    // Freeing a store whose file cannot be written reports on stderr and
    // does not throw out of the teardown.
    TOwned<TBrixStoreCtrl> Doomed = NewStore(stBufferedIniFile, "gone/away/x.ini");
    Doomed->WriteString("k", "v");
    EXPECT_NO_THROW(Doomed.reset());
}

// An owned store is written when its owner frees it.
TEST_F(StoreCtrlTest, OwnerFreesAndWritesTheStore)
{
    TOwned<TBrixBaseComponent> Owner(Brix::Create<TBrixBaseComponent>(nullptr));
    TBrixStoreCtrl *Store = TBrixStoreCtrl::Create(Owner.get());
    Store->SetStorageType(stBufferedIniFile);
    Store->SetIniFile(File("owned.ini"));
    Store->WriteBoolean("b", true);
    Owner.reset();
    EXPECT_EQ(ReadBytes(File("owned.ini")), QByteArray("[Defaults]\r\nb=1\r\n\r\n"));
}

namespace {

// Every (section, ident, value) a buffered read of Bytes finds, in order.
QStringList Content(const QByteArray &Bytes)
{
    TBrixMemIniFile Ini;
    Ini.LoadFromBytes(Bytes);
    QStringList Result;
    for (const QString &Section : Ini.Sections())
        for (const QString &Ident : Ini.SectionIdents(Section))
            Result << Section + u'|' + Ident + u'|' + Ini.ReadString(Section, Ident, "<none>");
    return Result;
}

QStringList Lines(const QByteArray &Bytes)
{
    return DecodeIniBytes(Bytes).Text.split(QRegularExpression("\r\n|\r|\n"));
}

} // namespace

// Files the store did not write itself, in both INI kinds: a write of one
// key keeps every other section, ident and value (and, in a file without a
// mark that is not UTF-8, every byte of them), and the file's encoding. The
// plain kind also keeps every line where it was, comments included.
TEST_F(StoreCtrlTest, OddFilesKeepWhatTheStoreDidNotWrite)
{
    auto Utf16 = [](TBrixIniEncoding E) {
        return EncodeIniText(QStringLiteral("[Другой]\r\nИмя=Ёлка 🎄\r\n[Defaults]\r\nMemory=1\r\n"),
                             E);
    };
    struct Row
    {
        const char *Name;
        QByteArray Bytes;
    } Rows[] = {
        {"latin-1 without a mark",
         "[Other Program]\r\nName=Caf\xE9 M\xFC"
         "ller\r\n\xC4rger=\xFC\xDF\xA0\r\n\r\n[Defaults]\r\nMemory=1\r\n"},
        {"latin-1 cut like UTF-8", "[Other]\r\nk=\xC3\r\n"},
        {"utf-8 with a mark", "\xEF\xBB\xBF[Andere]\r\nGr\xC3\xBC\xC3\x9F"
                              "e=\xE2\x82\xAC\r\n"},
        {"utf-8 without a mark", "[Andere]\r\nGr\xC3\xBC\xC3\x9F"
                                 "e=\xE2\x82\xAC\r\n"},
        {"utf-16le", Utf16(ieUtf16LE)},
        {"utf-16be", Utf16(ieUtf16BE)},
        {"LF and CR line ends", "[A]\nk=1\rl=2\n[Defaults]\nMemory=3"},
        {"comments", "; made by hand\r\n[A]\r\n; inside\r\nk=v\r\n;[Defaults]\r\n"},
        {"repeated sections",
         "[A]\r\nk=1\r\n[Defaults]\r\nx=2\r\n[a]\r\nk=lost\r\n[DEFAULTS]\r\ny=3\r\n"},
        {"another program's keys in ours",
         "[Defaults]\r\nTheirs=  spaced\r\nMemory=1\r\n[Theirs]\r\nBare\r\nEmpty=\r\n"},
    };
    const struct
    {
        const char *Name;
        TBrixStorageType Kind;
    } Kinds[] = {{"plain", stIniFile}, {"buffered", stBufferedIniFile}};
    for (const auto &K : Kinds) {
        for (const Row &R : Rows) {
            SCOPED_TRACE(std::string(K.Name) + ": " + R.Name);
            const QString Name = File("odd.ini");
            ASSERT_TRUE(WriteBytes(Name, R.Bytes));
            {
                TOwned<TBrixStoreCtrl> Store = NewStore(K.Kind, "odd.ini");
                Store->WriteString("Unrelated", "5");
            }
            const QByteArray After = ReadBytes(Name);
            const TBrixIniEncoding Before = DecodeIniBytes(R.Bytes).Encoding;
            EXPECT_EQ(DecodeIniBytes(After).Encoding, Before);
            QStringList Expected = Content(R.Bytes);
            QStringList Got = Content(After);
            EXPECT_TRUE(Got.removeOne("Defaults|Unrelated|5"));
            EXPECT_EQ(Got, Expected);
            if (Before == ieLatin1) {
                TBrixMemIniFile Old;
                Old.LoadFromBytes(R.Bytes);
                for (const QString &Section : Old.Sections()) {
                    EXPECT_TRUE(After.contains(Section.toLatin1())) << Section.toStdString();
                    for (const QString &Ident : Old.SectionIdents(Section))
                        EXPECT_TRUE(After.contains(
                            (Ident + u'=' + Old.ReadString(Section, Ident, "")).toLatin1()));
                }
            }
            if (K.Kind == stIniFile) {
                // Every old line is still there, in its order.
                const QStringList New = Lines(After);
                qsizetype At = 0;
                for (const QString &Line : Lines(R.Bytes)) {
                    while (At < New.size() && New.at(At) != Line)
                        ++At;
                    EXPECT_LT(At, New.size()) << "lost line: " << Line.toStdString();
                }
            }
        }
    }
}
