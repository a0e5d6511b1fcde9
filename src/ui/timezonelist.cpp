// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/timezonelist.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSignalBlocker>

namespace {

struct Entry
{
    const char* text;
    double offsetHours; // east of UTC
};

constexpr Entry kEntries[TimeZoneList::kEntryCount] = {
    {QT_TRANSLATE_NOOP("TimeZones", "Afghanistan-Kabul"), 4.5},
    {QT_TRANSLATE_NOOP("TimeZones", "Alaska"), -9.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Arab - Baghdad, Kuwait, Riyadh"), 3.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Arabian - Abu Dhabi, Muscat"), 4.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Atlantic Time (Canada)"), -4.0},
    {QT_TRANSLATE_NOOP("TimeZones", "AUS Central - Darwin"), 9.5},
    {QT_TRANSLATE_NOOP("TimeZones", "AUS Eastern - Canberra, Melbourne, Sydney"), 10.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Azores - Cape Verde Is."), -1.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Canada Central - Saskatchewan"), -6.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Caucasus - Baku, Tbilisi"), 4.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Cen. Australia - Adelaide"), 9.5},
    {QT_TRANSLATE_NOOP("TimeZones", "Central Asia - Almaty, Dhaka"), 6.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Central Europe (GMT+01:00) Belgrade, Bratislava, Budapest, Prague, Sarajevo, Warsaw"), 1.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Central Pacific - Magadan, Solomon Is., New Caledonia"), 11.0},
    {QT_TRANSLATE_NOOP("TimeZones", "China - Beijing, Chongqing, Hong Kong, Urumqi"), 8.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Dateline - Eniwetok, Kwajalein"), -12.0},
    {QT_TRANSLATE_NOOP("TimeZones", "E. Africa - Nairobi"), 3.0},
    {QT_TRANSLATE_NOOP("TimeZones", "E. Australia - Brisbane"), 10.0},
    {QT_TRANSLATE_NOOP("TimeZones", "E. Europe - Bucharest"), 2.0},
    {QT_TRANSLATE_NOOP("TimeZones", "E. South America - Brasilia"), -3.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Eastern Time (US & Canada)"), -5.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Egypt - Cairo"), 2.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Ekaterinburg"), 5.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Fiji - Kamchatka, Marshall Is."), 12.0},
    {QT_TRANSLATE_NOOP("TimeZones", "FLE - Helsinki, Riga, Tallinn"), 2.0},
    {QT_TRANSLATE_NOOP("TimeZones", "GMT - Dublin, Edinburgh, Lisbon, London, Casablanca, Monrovia"), 0.0},
    {QT_TRANSLATE_NOOP("TimeZones", "GTB - Athens, Istanbul, Minsk"), 2.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Hawaii"), -10.0},
    {QT_TRANSLATE_NOOP("TimeZones", "India - Bombay, Calcutta, Madras, New Delhi"), 5.5},
    {QT_TRANSLATE_NOOP("TimeZones", "Iran - Tehran"), 3.5},
    {QT_TRANSLATE_NOOP("TimeZones", "Israel"), 2.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Korea - Seoul"), 9.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Mexico - Mexico City, Tegucigalpa"), -6.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Mid-Atlantic"), -2.0},
    {QT_TRANSLATE_NOOP("TimeZones", "New Zealand - Auckland, Wellington"), 12.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Newfoundland"), -3.5},
    {QT_TRANSLATE_NOOP("TimeZones", "Romance - Brussels, Copenhagen, Madrid, Paris, Vilnius"), 1.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Russian - Moscow, St. Petersburg, Volgograd"), 3.0},
    {QT_TRANSLATE_NOOP("TimeZones", "SA Eastern - Buenos Aires, Georgetown"), -3.0},
    {QT_TRANSLATE_NOOP("TimeZones", "SA Pacific - Bogota, Lima, Quito"), -5.0},
    {QT_TRANSLATE_NOOP("TimeZones", "SA Western - Caracas, La Paz"), -4.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Samoa - Midway Island"), -11.0},
    {QT_TRANSLATE_NOOP("TimeZones", "SE Asia - Bangkok, Hanoi, Jakarta"), 7.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Singapore"), 8.0},
    {QT_TRANSLATE_NOOP("TimeZones", "South Africa - Harare, Pretoria"), 2.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Sri Lanka - Colombo"), 6.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Taipei"), 8.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Tasmania - Hobart"), 10.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Tokyo - Osaka, Sapporo, Tokyo"), 9.0},
    {QT_TRANSLATE_NOOP("TimeZones", "US Eastern (US & Canada)- New York"), -5.0},
    {QT_TRANSLATE_NOOP("TimeZones", "US Central Time (US & Canada) - Chicago"), -6.0},
    {QT_TRANSLATE_NOOP("TimeZones", "US Mountain (US & Canada) - St.Louis"), -7.0},
    {QT_TRANSLATE_NOOP("TimeZones", "US Pacific Time (US & Canada)- Los Angeles, Tijuana"), -8.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Vladivostok"), 10.0},
    {QT_TRANSLATE_NOOP("TimeZones", "W. Australia - Perth"), 8.0},
    {QT_TRANSLATE_NOOP("TimeZones", "W. Europe - Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna"), 1.0},
    {QT_TRANSLATE_NOOP("TimeZones", "West Asia - Islamabad, Karachi, Tashkent"), 5.0},
    {QT_TRANSLATE_NOOP("TimeZones", "West Pacific - Guam, Port Moresby"), 10.0},
    {QT_TRANSLATE_NOOP("TimeZones", "Yakutsk"), 9.0},
};

} // namespace

void TimeZoneList::fill(QComboBox* combo, Offsets& zoneOffsets)
{
    zoneOffsets = {};
    for (int i = 0; i < kEntryCount; ++i)
        zoneOffsets[i] = kEntries[i].offsetHours;
    const int shownIndex = combo->currentIndex();
    const QString shownText = combo->currentText();
    // An empty box selects its first new item by itself; that is not a
    // choice, so it must neither reach the click handler nor stay.
    const QSignalBlocker quiet(combo);
    for (const Entry& entry : kEntries)
        combo->addItem(QCoreApplication::translate("TimeZones", entry.text));
    combo->setCurrentIndex(shownIndex);
    if (shownIndex < 0 && combo->isEditable())
        combo->setEditText(shownText);
}

std::optional<double> TimeZoneList::offsetForIndex(int index, const Offsets& zoneOffsets)
{
    if (index < 0 || index >= kOffsetCount)
        return std::nullopt;
    return zoneOffsets[static_cast<std::size_t>(index)];
}
