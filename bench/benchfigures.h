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
