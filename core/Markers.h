// Markers: coloured, commented byte ranges of a hex view, and their byte form, shared by the
// settings document (the editors' marker arrays) and the .mrk marker file. A record is its own
// size (comment length + 21), start, length, text colour, back colour (each 32-bit
// little-endian) and the comment with its zero byte; records follow one another without gaps.
// A .mrk file is the magic "KRAM" and then the records.
#pragma once
#include <span>
#include <vector>

#include "platform/String.h"
#include "platform/Types.h"

struct CHexEditMarker
{
    // A negative start or length keeps the marker in the list but never shows it.
    int start = -1;
    int length = -1;
    COLORREF textColor = 0x000000;
    COLORREF backColor = 0xFFFFFF;
    CString comment;

    bool operator==(const CHexEditMarker& other) const;
};

using CMarkerList = std::vector<CHexEditMarker>;

constexpr DWORD kMarkerRecordHeader = 20;
constexpr DWORD kMarkerFileMagic = 0x4D41524B;  // "KRAM" as stored

// One record of the byte form.
std::vector<BYTE> MarkerToBytes(const CHexEditMarker& marker);
// The records of all markers in order; empty for no markers.
std::vector<BYTE> MarkersToBytes(const CMarkerList& markers);
// Appends one marker per record. Bytes from outside may claim anything: the walk stops at a
// record whose size is below 21, reaches past the end, or holds no zero byte for its comment, so
// it always ends and never reads beyond the bytes. Returns the number of markers appended.
int BytesToMarkers(std::span<const BYTE> bytes, CMarkerList& markers);

// Writes the magic and the records beside the path, then puts the file in its place in one step:
// on failure any file already there stays as it was. TRUE when written.
BOOL WriteMarkerFile(const char* path, const CMarkerList& markers);
// TRUE when the whole file was read and starts with the magic; its markers are then appended.
// Otherwise FALSE and markers are untouched.
BOOL ReadMarkerFile(const char* path, CMarkerList& markers);
