// The CSV and text exports of the log, without any window. Both list the stored records that
// have a row under the display bits, each numbered by its position among all stored records
// (from 1), and write texts as the program holds them, in code page 932.
#pragma once
#include "core/CommSettings.h"
#include "core/LogRecord.h"
#include "core/log/LogStore.h"
#include "platform/File.h"
#include "platform/String.h"

// One CSV line, "\r\n" included: every field is followed by a comma, and the fields that the
// display bits leave out are omitted, so later fields move left.
CString FormatCsvLine(const CLogRecord& record, int position, int displayBits);
// One block of the text export: number, port line, time, kind, peer, hex dump, blank line.
CString FormatTextBlock(const CLogRecord& record, int position);

// The header line (catalogue text 13064) and the lines. File errors throw CFileException*.
void WriteCsvExport(CFile& file, const CLogStore& store, const CCommSettings& settings);
// File errors throw CFileException*.
void WriteTextExport(CFile& file, const CLogStore& store, const CCommSettings& settings);
