// Writes the application icon as PNG files for the installation:
//
//     zelkor-make-icon OUTPUT_FOLDER SIZE...
//
// writes OUTPUT_FOLDER/zelkor-SIZE.png for every size.
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "ui/app_icon.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 8 || size > 1024) {
            std::fprintf(stderr, "bad icon size '%s'\n", argv[i]);
            return 2;
        }
        const QString file = QString("%1/zelkor-%2.png").arg(argv[1]).arg(size);
        if (!zelkor::ui::DrawAppIcon(size).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
