// A sum (FNV-1a) over a picture's pixels pins a drawing; a failure prints the sums to pin anew.
#pragma once

#include <QImage>
#include <QString>

namespace zelkor::test {

inline quint64 PictureSum(const QImage& picture, quint64 sum = 14695981039346656037ull) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const uchar* row = argb.constScanLine(y);
        for (int i = 0; i < argb.width() * 4; ++i)
            sum = (sum ^ row[i]) * 1099511628211ull;
    }
    return sum;
}

inline QString SumText(quint64 sum) {
    return QString::number(sum, 16);
}

}  // namespace zelkor::test
