#pragma once

#include <QString>

// The statistics line under the query window's lists.
namespace QueryStatistics {

QString line(double quantity, double money);

} // namespace QueryStatistics
