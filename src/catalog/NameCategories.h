#pragma once

#include <QString>
#include <vector>

// Automatic categories from a sound's name: a rule gives a category to every name that holds its
// word, letter case aside ("Str Pad 2" is "pad strings"). They are kept apart from the user's own
// tags, so changing a rule never changes what the user chose.
struct CategoryRule {
    QString word;
    QString category;
};

class NameCategories {
  public:
    static std::vector<CategoryRule> DefaultRules();

    explicit NameCategories(std::vector<CategoryRule> rules);

    // The categories of a name, each once, in alphabetical order, separated by spaces.
    QString Of(const QString& name) const;
    const std::vector<CategoryRule>& Rules() const { return rules_; }

  private:
    std::vector<CategoryRule> rules_;
};
