# Writes a C++ source that holds the bytes of the players' rules file, so that the game shows the
# very text that is installed beside it. Run as:
#   cmake -DINPUT=RMF_RULES.txt -DOUTPUT=rules_text.cpp -P cmake/embed_rules.cmake
# Every byte is written as a character escape, so no text in the file can end the literal early,
# and a terminating NUL keeps the array non-empty for an empty file.
cmake_minimum_required(VERSION 3.25)
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "(..)" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('\\\\x..',){12})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT} "// Made from ${INPUT} at build time; not to be edited.
#include \"driver/rules.h\"

namespace realmsfall {

namespace {
constexpr char RULES_BYTES[] = {
    ${bytes}'\\0'};
} // namespace

std::string_view rulesText() {
    return {RULES_BYTES, sizeof RULES_BYTES - 1};
}

} // namespace realmsfall
")
