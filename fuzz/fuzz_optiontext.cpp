// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The readers of option texts and of the command line. The first byte picks
// the reader (and the option key or list size), the rest is UTF-8 text.
#include "fuzzsupport.h"

#include "base/numbertext.h"
#include "options/optionconversion.h"
#include "schedule/updateschedule.h"
#include "startup/commandline.h"

#include <QStringList>

#include <cmath>
#include <cstdint>
#include <iterator>

namespace {
// Text, key and separator on lines of their own; the start's own key and
// separator when left out.
void commandLineValue(const QString& input)
{
    const QStringList lines = input.split(u'\n');
    const QString commandLine = lines.at(0);
    const QString separator = lines.value(2, QStringLiteral(" "));
    const QString fallback = QStringLiteral("(none)");
    const QString value =
        CommandLine::GetCommandLineValue(commandLine, lines.value(1, QStringLiteral("Load")), separator, fallback);
    FuzzSupport::check(value == fallback || commandLine.split(separator).contains(value));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int choice = data[0] / 7;
    const OptionKey& key = Option::all[choice % std::size(Option::all)];
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    switch (data[0] % 7) {
    case 0:
        FuzzSupport::check(!std::isnan(NumberText::leadingNumber(text)));
        break;
    case 1:
        commandLineValue(text);
        break;
    case 2:
        if (const auto value = OptionConversion::toInt16(text))
            FuzzSupport::check(OptionConversion::toInt16(QString::number(*value)) == value);
        break;
    case 3: {
        // The hours field shows what the schedule uses.
        const double hours = UpdateSchedule::hours(text);
        FuzzSupport::check(hours >= UpdateSchedule::MinimumHours
                           && UpdateSchedule::hours(UpdateSchedule::hoursText(text)) == hours);
        break;
    }
    case 4: {
        const Qt::CheckState state = OptionConversion::checkState(key, text);
        FuzzSupport::check(OptionConversion::checkState(key, OptionConversion::fromCheckState(state)) == state);
        break;
    }
    case 5: {
        const bool value = OptionConversion::boolean(key, text);
        FuzzSupport::check(OptionConversion::boolean(key, OptionConversion::fromBoolean(value)) == value);
        break;
    }
    case 6: {
        const int index = OptionConversion::listIndex(text, choice);
        FuzzSupport::check(index >= -1 && index < choice);
        FuzzSupport::check(OptionConversion::listIndex(OptionConversion::fromListIndex(index), choice) == index);
        break;
    }
    }
    return 0;
}
