// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QJsonObject>

#include <vector>

// The figures a benchmark hands to bench/run.py: one JSON object on stdout.
namespace BenchFigures {

double median(std::vector<double> values);
double largestAbsolute(const std::vector<double>& values);
// Prints the object as one line of JSON.
void print(const QJsonObject& figures);

} // namespace BenchFigures
