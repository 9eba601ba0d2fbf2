#pragma once
// The writers behind MakeReportWriter.

#include "reportWriter.h"

std::unique_ptr<ReportWriter> MakeTableWriter(std::FILE* out);
std::unique_ptr<ReportWriter> MakeCsvWriter(std::FILE* out);
std::unique_ptr<ReportWriter> MakeJsonWriter(std::FILE* out);
std::unique_ptr<ReportWriter> MakeJsonLinesWriter(std::FILE* out);
