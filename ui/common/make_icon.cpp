// Build tool: writes the program icon as a Windows .ico file for the executable's
// resources, or as the PNG files of the freedesktop hicolor icon theme.
#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <array>
#include <cstdio>
#include <vector>

#include "ui/common/ProgramIcon.h"

namespace {

// The sizes the Windows shell asks for. Entries are PNG, which Windows reads since Vista.
constexpr std::array<int, 7> kIcoSizes{16, 24, 32, 48, 64, 128, 256};
// The sizes desktops look up in the hicolor theme.
constexpr std::array<int, 8> kThemeSizes{16, 22, 24, 32, 48, 64, 128, 256};

constexpr char kUsage[] =
    "usage: zintu_make_icon ico OUTPUT.ico\n"
    "       zintu_make_icon hicolor FOLDER NAME   (writes FOLDER/SIZExSIZE/apps/NAME.png\n"
    "                                              and FOLDER/scalable/apps/NAME.svg)\n";

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

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// The first path that could not be written, or an empty text when all were.
QString WriteThemeIcons(const QString& folder, const QString& name) {
    for (const int size : kThemeSizes) {
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString path = apps + '/' + name + QStringLiteral(".png");
        if (!QDir().mkpath(apps) || !WriteFile(path, Png(zintu::ProgramIconImage(size)))) {
            return path;
        }
    }
    const QString scalable = folder + QStringLiteral("/scalable/apps");
    const QString svg = scalable + '/' + name + QStringLiteral(".svg");
    if (!QDir().mkpath(scalable) || !WriteFile(svg, zintu::ProgramIconSvg())) {
        return svg;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    // Runs during the build, where there may be no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    QString failed;
    if (args.size() == 2 && args[0] == QStringLiteral("ico")) {
        failed = WriteFile(args[1], IcoFile()) ? QString() : args[1];
    } else if (args.size() == 3 && args[0] == QStringLiteral("hicolor")) {
        failed = WriteThemeIcons(args[1], args[2]);
    } else {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!failed.isEmpty()) {
        std::fprintf(stderr, "zintu_make_icon: cannot write %s\n", qPrintable(failed));
        return 1;
    }
    return 0;
}
