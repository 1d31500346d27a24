// The program's texts are code page 932 whatever the prefix's code page; scripts speak UTF-8.
#pragma once
#include <string>

const unsigned kProgramCodePage = 932;

std::string ProgramTextToUtf8(const std::string& text);
std::string Utf8ToProgramText(const std::string& utf8);
std::string WideToUtf8(const std::wstring& text);
