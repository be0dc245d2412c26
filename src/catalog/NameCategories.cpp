#include "catalog/NameCategories.h"

#include <QStringList>

std::vector<CategoryRule> NameCategories::DefaultRules() {
    const char* const pairs[][2] = {
        {"pad", "pad"},         {"bass", "bass"},   {"bas ", "bass"},    {"lead", "lead"},
        {"bell", "bell"},       {"str", "strings"}, {"organ", "organ"},  {"org ", "organ"},
        {"brass", "brass"},     {"brs", "brass"},   {"horn", "brass"},   {"piano", "keys"},
        {"pno", "keys"},        {"key", "keys"},    {"clav", "keys"},    {"voc", "voice"},
        {"choir", "voice"},     {"voice", "voice"}, {"flute", "wind"},   {"flt", "wind"},
        {"sax", "wind"},        {"gtr", "guitar"},  {"guit", "guitar"},  {"perc", "percussion"},
        {"drum", "percussion"}, {"fx", "effect"},   {"sweep", "effect"}, {"syn", "synth"},
    };
    std::vector<CategoryRule> rules;
    for (const auto& pair : pairs)
        rules.push_back({QString::fromLatin1(pair[0]), QString::fromLatin1(pair[1])});
    return rules;
}

NameCategories::NameCategories(std::vector<CategoryRule> rules) : rules_(std::move(rules)) {}

QString NameCategories::Of(const QString& name) const {
    // A trailing space in a rule's word ("org ") means the word ends there; the name's end counts.
    const QString padded = name + QLatin1Char(' ');
    QStringList found;
    for (const CategoryRule& rule : rules_) {
        if (!rule.word.trimmed().isEmpty() && padded.contains(rule.word, Qt::CaseInsensitive) &&
            !found.contains(rule.category)) {
            found.append(rule.category);
        }
    }
    found.sort();
    return found.join(QLatin1Char(' '));
}
