#pragma once

#include <QString>

// The fresh process of the search's memory row (`pelorin_bench --search-probe FILE`): opens
// the file, searches it for the same picture as its tile at 16 and prints its peak memory.
int searchProbe(const QString& path);
