// The commands of varnel. Each returns the program's exit status and writes its
// messages to `err`.
#pragma once

#include <cstdio>
#include <string>

#include "OrvLib/plugin/HostInterface.h"
#include "host/cli/Arguments.h"

namespace VarnCli {

int RunApply(const ApplyOptions& options, std::FILE* err);
int RunBatch(const BatchOptions& options, std::FILE* err);
// A batch's worker process: one plug-in load, then one picture for every job line on `in`,
// each answered on `out`.
int RunBatchWorker(const BatchOptions& options, std::FILE* in, std::FILE* out);
int RunPresets(const PresetsOptions& options, std::FILE* out, std::FILE* err);

// The plug-in file to load: the one given, or the one installed beside the tool.
std::string PluginFileToLoad(const std::string& given);

// Words for a plug-in's result code, e.g. "error code -108 (out of memory)".
std::string DescribeResult(OSErr code);

}  // namespace VarnCli
