#pragma once

#include <QString>

// The percentage texts of the progress window: (value - minimum) / (maximum - minimum) * 100,
// not rounded to a whole number, followed by "%".
class ProgressText {
  public:
    // With up to 15 significant digits (one of three: "33.3333333333333%").
    static QString Prepared(int value, int minimum, int maximum);
    // With the 7 significant digits of single precision (one of three: "33.33333%").
    static QString Changed(int value, int minimum, int maximum);

  private:
    static double Ratio(int value, int minimum, int maximum);
};
