#pragma once

#include <string>

class ClassSound;

// The web page of one sound: every parameter in nested tables, codes replaced by their names,
// the whole page on one line.

// Builds the page into `page`. Fails, with a description in `failure` and `page` untouched, when
// the sound holds a code that has no name (an algorithm, wave or destination outside its list).
bool BuildSoundPage(const ClassSound& sound, std::string& page, std::string& failure);

// Builds the page and only then writes it, followed by a carriage return and line feed, to
// path (created or replaced whole). A sound that cannot be described writes nothing.
bool ExportSoundPage(const ClassSound& sound, const std::string& path, std::string& failure);
