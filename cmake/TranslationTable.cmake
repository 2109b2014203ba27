# Writes the Windows window's table of translated texts from the Qt windows' translation files,
# so that both front ends speak from one source:
#   cmake -DOUTPUT=table.cpp -DLANGUAGES=de,fr,es -DTS_DIR=app/ui/translations
#         -P cmake/TranslationTable.cmake
# Each entry is a language, an English source text and its translation, in UTF-8 C++ literals.
# The table is keyed by the source text alone: a text translated two ways in one language (in
# two windows) stops the build, since the Windows window could show only one of them.
# Unfinished and vanished translations are left out, so that the English text stands.
# With -DCHECKED_SOURCES=a.cpp,b.cpp, every text those files ask for (the literal in
# `Texts::Text("...")` or `TRANSLATABLE("context", "...")`) must be a source text of the files:
# one that is not (changed on one side only) would stay English in every language.

cmake_minimum_required(VERSION 3.25)

# The C++ literal of a text from the file: XML's escapes undone, C++'s applied.
function(cxx_literal xml out)
  set(text "${xml}")
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\r" "\\r" text "${text}")
  string(REPLACE "&quot;" "\\\"" text "${text}")
  string(REPLACE "&apos;" "'" text "${text}")
  string(REPLACE "&lt;" "<" text "${text}")
  string(REPLACE "&gt;" ">" text "${text}")
  # Character references become universal character names (eight hexadecimal digits, so
  # that a letter after one is never taken as part of it).
  while(text MATCHES "&#(x?)([0-9a-fA-F]+);")
    set(reference "${CMAKE_MATCH_0}")
    if(CMAKE_MATCH_1 STREQUAL "x")
      set(hex "${CMAKE_MATCH_2}")
    else()
      math(EXPR hex "${CMAKE_MATCH_2}" OUTPUT_FORMAT HEXADECIMAL)
      string(SUBSTRING "${hex}" 2 -1 hex)
    endif()
    string(LENGTH "${hex}" digits)
    while(digits LESS 8)
      set(hex "0${hex}")
      math(EXPR digits "${digits} + 1")
    endwhile()
    string(REPLACE "${reference}" "\\U${hex}" text "${text}")
  endwhile()
  string(REPLACE "&amp;" "&" text "${text}")  # last: "&amp;lt;" is the text "&lt;"
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

# The text of XML character data.
function(xml_text xml out)
  set(text "${xml}")
  string(REPLACE "&quot;" "\"" text "${text}")
  string(REPLACE "&apos;" "'" text "${text}")
  string(REPLACE "&lt;" "<" text "${text}")
  string(REPLACE "&gt;" ">" text "${text}")
  string(REPLACE "&amp;" "&" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(entries "")
set(all_sources "")
string(REPLACE "," ";" languages "${LANGUAGES}")
foreach(language IN LISTS languages)
  set(file "${TS_DIR}/corpometer_${language}.ts")
  file(READ "${file}" content)
  set(seen_sources "")
  while(TRUE)
    string(FIND "${content}" "<message" start)
    if(start EQUAL -1)
      break()
    endif()
    string(FIND "${content}" "</message>" end)
    if(end LESS start)
      message(FATAL_ERROR "${file}: a <message> without its end")
    endif()
    math(EXPR length "${end} - ${start}")
    string(SUBSTRING "${content}" ${start} ${length} message_text)
    math(EXPR rest "${end} + 10")
    string(SUBSTRING "${content}" ${rest} -1 content)

    if(NOT message_text MATCHES "<source>([^<]*)</source>")
      message(FATAL_ERROR "${file}: a message without a source text")
    endif()
    set(source "${CMAKE_MATCH_1}")
    xml_text("${source}" source_text)
    string(SHA1 source_text_key "${source_text}")
    list(APPEND all_sources "${source_text_key}")
    if(NOT message_text MATCHES "<translation( type=\"([a-z]+)\")?>([^<]*)</translation>")
      continue()
    endif()
    set(kind "${CMAKE_MATCH_2}")
    set(translation "${CMAKE_MATCH_3}")
    if(NOT kind STREQUAL "" OR translation STREQUAL "")
      continue()  # unfinished or vanished: the English text stands
    endif()
    cxx_literal("${source}" source_literal)
    cxx_literal("${translation}" translation_literal)
    # Sources are compared by a digest: a text may hold characters that lists do not keep.
    string(SHA1 source_key "${source}")
    string(SHA1 translation_key "${translation}")
    list(FIND seen_sources "${source_key}" earlier)
    if(NOT earlier EQUAL -1)
      list(GET seen_translations ${earlier} earlier_translation)
      if(NOT earlier_translation STREQUAL translation_key)
        message(FATAL_ERROR "${file}: ${source_literal} is translated in two ways; the Windows "
                            "window keys its texts by the English text alone")
      endif()
      continue()
    endif()
    list(APPEND seen_sources "${source_key}")
    list(APPEND seen_translations "${translation_key}")
    string(APPEND entries "    {\"${language}\", ${source_literal},\n     ${translation_literal}},\n")
  endwhile()
  set(seen_translations "")
endforeach()

# The texts the window's sources ask for: adjacent literals joined, C++ escapes of quotes and
# backslashes undone.
string(REPLACE "," ";" checked "${CHECKED_SOURCES}")
foreach(file IN LISTS checked)
  file(READ "${file}" code)
  string(REGEX MATCHALL
         "(Texts::Text\\(|TRANSLATABLE\\(\"[^\"]*\",)([ \n]*\"([^\"\\\\]|\\\\.)*\")+"
         calls "${code}")
  foreach(call IN LISTS calls)
    string(REGEX REPLACE "^(Texts::Text\\(|TRANSLATABLE\\(\"[^\"]*\",)[ \n]*\"" "" text "${call}")
    string(REGEX REPLACE "\"[ \n]*\"" "" text "${text}")
    string(REGEX REPLACE "\"$" "" text "${text}")
    string(REPLACE "\\\"" "\"" text "${text}")
    string(REPLACE "\\\\" "\\" text "${text}")
    string(SHA1 key "${text}")
    list(FIND all_sources "${key}" found)
    if(found EQUAL -1)
      message(FATAL_ERROR "${file} asks for the text \"${text}\", which no translation file "
                          "has as a source: it would stay English in every language")
    endif()
  endforeach()
endforeach()

set(table "// Made by cmake/TranslationTable.cmake from app/ui/translations/*.ts: do not edit.
#include \"app/win32/TranslationTable.h\"

namespace win32 {

const TranslatedText kTranslatedTexts[] = {
${entries}};
const std::size_t kTranslatedTextCount = sizeof kTranslatedTexts / sizeof kTranslatedTexts[0];

}  // namespace win32
")
# Written only when it changes, so that a reconfigure rebuilds nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL table)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${table}")
