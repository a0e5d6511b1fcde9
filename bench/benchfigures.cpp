// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "benchfigures.h"

#include <QJsonDocument>

#include <algorithm>
#include <cmath>
#include <cstdio>

double BenchFigures::median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double BenchFigures::largestAbsolute(const std::vector<double>& values)
{
    double largest = 0.0;
    for (const double value : values)
        largest = std::max(largest, std::abs(value));
    return largest;
}

void BenchFigures::print(const QJsonObject& figures)
{
    std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
}
