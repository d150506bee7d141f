// Build tool: writes the program icon as a Windows .ico file for the executable's
// resources. Usage: zintu_make_icon OUTPUT.ico
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <array>
#include <cstdio>
#include <vector>

#include "ProgramIcon.h"

namespace {

// The sizes the Windows shell asks for. Entries are PNG, which Windows reads since Vista.
constexpr std::array<int, 7> kIcoSizes{16, 24, 32, 48, 64, 128, 256};

void AppendLittleEndian(QByteArray& bytes, quint32 value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

QByteArray Png(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QByteArray IcoFile() {
    std::vector<QByteArray> images;
    for (const int size : kIcoSizes) {
        images.push_back(Png(zintu::ProgramIconImage(size)));
    }
    constexpr int kHeaderBytes = 6;
    constexpr int kEntryBytes = 16;
    QByteArray ico;
    AppendLittleEndian(ico, 0, 2);  // reserved
    AppendLittleEndian(ico, 1, 2);  // type: icon
    AppendLittleEndian(ico, kIcoSizes.size(), 2);
    quint32 offset = kHeaderBytes + kEntryBytes * kIcoSizes.size();
    for (std::size_t i = 0; i < kIcoSizes.size(); ++i) {
        const int pixels = kIcoSizes[i] == 256 ? 0 : kIcoSizes[i];  // a 0 byte stands for 256
        AppendLittleEndian(ico, pixels, 1);
        AppendLittleEndian(ico, pixels, 1);
        AppendLittleEndian(ico, 0, 1);   // no palette
        AppendLittleEndian(ico, 0, 1);   // reserved
        AppendLittleEndian(ico, 1, 2);   // colour planes
        AppendLittleEndian(ico, 32, 2);  // bits per pixel
        AppendLittleEndian(ico, images[i].size(), 4);
        AppendLittleEndian(ico, offset, 4);
        offset += images[i].size();
    }
    for (const QByteArray& image : images) {
        ico.append(image);
    }
    return ico;
}

}  // namespace

int main(int argc, char** argv) {
    // Runs during the build, where there may be no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zintu_make_icon OUTPUT.ico\n");
        return 2;
    }
    const QByteArray ico = IcoFile();
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size() || !file.flush()) {
        std::fprintf(stderr, "zintu_make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
