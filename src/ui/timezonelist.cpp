// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/timezonelist.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

struct Entry
{
    const char* text;
    double offsetHours; // east of UTC
};

constexpr Entry kEntries[TimeZoneList::kEntryCount] = {
    {"Afghanistan-Kabul", 4.5},
    {"Alaska", -9.0},
    {"Arab - Baghdad, Kuwait, Riyadh", 3.0},
    {"Arabian - Abu Dhabi, Muscat", 4.0},
    {"Atlantic Time (Canada)", -4.0},
    {"AUS Central - Darwin", 9.5},
    {"AUS Eastern - Canberra, Melbourne, Sydney", 10.0},
    {"Azores - Cape Verde Is.", -1.0},
    {"Canada Central - Saskatchewan", -6.0},
    {"Caucasus - Baku, Tbilisi", 4.0},
    {"Cen. Australia - Adelaide", 9.5},
    {"Central Asia - Almaty, Dhaka", 6.0},
    {"Central Europe (GMT+01:00) Belgrade, Bratislava, Budapest, Prague, Sarajevo, Warsaw", 1.0},
    {"Central Pacific - Magadan, Solomon Is., New Caledonia", 11.0},
    {"China - Beijing, Chongqing, Hong Kong, Urumqi", 8.0},
    {"Dateline - Eniwetok, Kwajalein", -12.0},
    {"E. Africa - Nairobi", 3.0},
    {"E. Australia - Brisbane", 10.0},
    {"E. Europe - Bucharest", 2.0},
    {"E. South America - Brasilia", -3.0},
    {"Eastern Time (US & Canada)", -5.0},
    {"Egypt - Cairo", 2.0},
    {"Ekaterinburg", 5.0},
    {"Fiji - Kamchatka, Marshall Is.", 12.0},
    {"FLE - Helsinki, Riga, Tallinn", 2.0},
    {"GMT - Dublin, Edinburgh, Lisbon, London, Casablanca, Monrovia", 0.0},
    {"GTB - Athens, Istanbul, Minsk", 2.0},
    {"Hawaii", -10.0},
    {"India - Bombay, Calcutta, Madras, New Delhi", 5.5},
    {"Iran - Tehran", 3.5},
    {"Israel", 2.0},
    {"Korea - Seoul", 9.0},
    {"Mexico - Mexico City, Tegucigalpa", -6.0},
    {"Mid-Atlantic", -2.0},
    {"New Zealand - Auckland, Wellington", 12.0},
    {"Newfoundland", -3.5},
    {"Romance - Brussels, Copenhagen, Madrid, Paris, Vilnius", 1.0},
    {"Russian - Moscow, St. Petersburg, Volgograd", 3.0},
    {"SA Eastern - Buenos Aires, Georgetown", -3.0},
    {"SA Pacific - Bogota, Lima, Quito", -5.0},
    {"SA Western - Caracas, La Paz", -4.0},
    {"Samoa - Midway Island", -11.0},
    {"SE Asia - Bangkok, Hanoi, Jakarta", 7.0},
    {"Singapore", 8.0},
    {"South Africa - Harare, Pretoria", 2.0},
    {"Sri Lanka - Colombo", 6.0},
    {"Taipei", 8.0},
    {"Tasmania - Hobart", 10.0},
    {"Tokyo - Osaka, Sapporo, Tokyo", 9.0},
    {"US Eastern (US & Canada)- New York", -5.0},
    {"US Central Time (US & Canada) - Chicago", -6.0},
    {"US Mountain (US & Canada) - St.Louis", -7.0},
    {"US Pacific Time (US & Canada)- Los Angeles, Tijuana", -8.0},
    {"Vladivostok", 10.0},
    {"W. Australia - Perth", 8.0},
    {"W. Europe - Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna", 1.0},
    {"West Asia - Islamabad, Karachi, Tashkent", 5.0},
    {"West Pacific - Guam, Port Moresby", 10.0},
    {"Yakutsk", 9.0},
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
        combo->addItem(QString::fromUtf8(entry.text));
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
