// The order in which Windows lists a folder on its own file systems: names compared in
// upper case, ties by the original characters. Both platform layers list folders in this
// order, so a folder of objects gives the same picture everywhere (also under emulation,
// where the host file system has an order of its own).
#pragma once

#include <string>
#include <vector>

void SortFolderNames(std::vector<std::string>& names);
