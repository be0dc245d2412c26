#pragma once

#include <QByteArray>
#include <QStringList>
#include <vector>

#include "catalog/NameCategories.h"

// The automatic category rules as a small text file the user may edit: one rule a line, the
// piece of a name, then tabs or spaces, then the category (one word); "#" starts a comment line.
// A piece that must keep a space at its end ("org " is "org" as a word of its own) is written in
// double quotes.
class CategoryRulesFile {
  public:
    static QByteArray ToText(const std::vector<CategoryRule>& rules);
    // The rules of the text; a line that is not a rule is skipped and said in `problems`
    // ("line 4: ..."). A later rule for the same piece replaces an earlier one.
    static std::vector<CategoryRule> FromText(const QByteArray& text, QStringList& problems);
};
