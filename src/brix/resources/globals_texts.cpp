// The texts of the general table, English International first, then the
// other languages in their order. Each language holds the keys it translates;
// every other key falls back to English International.
#include "brix/resources/globals.h"

namespace Brix {
namespace {

constexpr TBrixTextEntry Entries[] = {
    // elEnglishInt
    {egtColor, u"colour"},
    {egtColors, u"colours"},
    {egtEmpty, u"<empty>"},
    {egtField, u"Field"},
    {egtFieldIsNull, u"Field is Null"},
    {egtPointerMustBeNil, u"Pointer must be nil"},
    {egtReason, u"Reason"},
    {egtTAB, u"<TAB>"},
    {egtAbort, u"Abort"},
    {egtCancel, u"Cancel"},
    {egtFalse, u"False"},
    {egtNo, u"No"},
    {egtOff, u"Off"},
    {egtOK, u"OK"},
    {egtOn, u"On"},
    {egtTrue, u"True"},
    {egtYes, u"Yes"},
    {egtError, u"Error!"},
    {egtFileNotFound, u"File Not Found!"},
    {egtFolderNotFound, u"Folder Not Found!"},
    {egtInfo, u"Information!"},
    {egtNA, u"N/A"},
    {egtUnaccept, u"Your entered Value is not acceptable!"},
    {egtUnknownError, u"Unknown Error"},
    {egtWarning, u"Warning!"},
    {egtDays, u"days"},
    {egtHours, u"hours"},
    {egtInvalidDate, u"Invalid Date"},
    {egtInvalidDateTime, u"Invalid Date/Time"},
    {egtInvalidDOW, u"Invalid Day of the Week"},
    {egtInvalidMonth, u"Invalid Month"},
    {egtInvalidTime, u"Invalid Time"},
    {egtInvalidWeek, u"Invalid Week"},
    {egtMidnight, u"Midnight"},
    {egtMins, u"mins"},
    {egtMonths, u"months"},
    {egtMSecs, u"msecs"},
    {egtNoon, u"Noon"},
    {egtNow, u"Now"},
    {egtSecs, u"secs"},
    {egtToday, u"Today"},
    {egtTomorrow, u"Tomorrow"},
    {egtWeeks, u"weeks"},
    {egtYears, u"years"},
    {egtYesterday, u"Yesterday"},
    {egtGST, u"GST"},
    {egtGSTStr, u"Greenwich Sidereal Time"},
    {egtLST, u"LST"},
    {egtLSTStr, u"Local Sidereal Time"},
    {egtPlanet, u"planet"},
    {egtPlanets, u"planets"},
    {egtStar, u"star"},
    {egtStars, u"stars"},
    {egtUT, u"UT"},
    {egtUTStr, u"Universal Time"},
    {egtAquarius, u"Aquarius"},
    {egtAries, u"Aries"},
    {egtCancer, u"Cancer"},
    {egtCapricorn, u"Capricorn"},
    {egtGemini, u"Gemini"},
    {egtLeo, u"Leo"},
    {egtLibra, u"Libra"},
    {egtPisces, u"Pisces"},
    {egtSagittarius, u"Sagittarius"},
    {egtScorpio, u"Scorpio"},
    {egtTaurus, u"Taurus"},
    {egtVirgo, u"Virgo"},
    {egtEarth, u"Earth"},
    {egtJupiter, u"Jupiter"},
    {egtMars, u"Mars"},
    {egtMercury, u"Mercury"},
    {egtMoon, u"Moon"},
    {egtNeptune, u"Neptune"},
    {egtPluto, u"Pluto"},
    {egtSaturn, u"Saturn"},
    {egtSun, u"Sun"},
    {egtUranus, u"Uranus"},
    {egtVenus, u"Venus"},
    {egtCustomFormat, u"Format can only be changed for FormatType = edfCustom"},
};

} // namespace

std::span<const TBrixTextEntry> Internal::GlobalStringsEntries()
{
    return Entries;
}

} // namespace Brix
