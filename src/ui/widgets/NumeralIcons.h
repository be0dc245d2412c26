#pragma once

#include <QIcon>

// The small pictures of the numerals 0..19 that the library lists show beside each slot, drawn
// at run time.
class NumeralIcons {
  public:
    static constexpr int kCount = 20;
    // The picture of n (0..19); an empty icon otherwise.
    static QIcon For(int n);
};
