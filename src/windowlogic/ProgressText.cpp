#include "windowlogic/ProgressText.h"

double ProgressText::Ratio(int value, int minimum, int maximum) {
    // An empty range has no fraction; it shows as complete rather than dividing by zero.
    if (maximum <= minimum)
        return 100.0;
    return static_cast<double>(value - minimum) / (maximum - minimum) * 100.0;
}

QString ProgressText::Prepared(int value, int minimum, int maximum) {
    return QString::number(Ratio(value, minimum, maximum), 'g', 15) + QLatin1Char('%');
}

QString ProgressText::Changed(int value, int minimum, int maximum) {
    const float percent = static_cast<float>(Ratio(value, minimum, maximum));
    return QString::number(percent, 'g', 7) + QLatin1Char('%');
}
