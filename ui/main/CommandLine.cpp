#include "ui/main/CommandLine.h"

#include <QCoreApplication>

namespace zintu {
namespace {

QString Usage() {
    return QCoreApplication::translate(
        "zintu::CommandLine",
        "Использование: zintu [--symbols] [ШАГ]\n"
        "       zintu --help | --version\n"
        "\n"
        "Zintu: соберите пять шариков одного цвета в ряд на поле 9 на 9 клеток.\n"
        "\n"
        "  ШАГ            скорость катящегося шарика, от 10 до 20 (иначе 10)\n"
        "  --symbols      символ на каждом шарике, у каждого цвета свой\n"
        "  -h, --help     показать эту справку и выйти\n"
        "  -v, --version  показать версию и выйти\n"
        "\n"
        "Клавиши: Tab доходит до поля после кнопки \"About\"; стрелки двигают рамку по полю;\n"
        "пробел или Enter действуют как щелчок левой кнопкой по клетке в рамке; клавиша меню\n"
        "или Shift+F10 прячет игру, как правая кнопка.\n"
        "\n"
        "Файлы: таблица рекордов Zintu.scr лежит в папке данных пользователя\n"
        "(%1), а у копии, запущенной из своей папки, рядом с программой;\n"
        "первая строка Zintu.ini в рабочей папке называет общую папку для рекордов.\n");
}

}  // namespace

Information InformationAsked(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return Information::Help;
        }
        if (argument == QLatin1String("--version") || argument == QLatin1String("-v")) {
            return Information::Version;
        }
    }
    return Information::None;
}

GameArguments ReadGameArguments(const QString& arguments) {
    QStringList words = arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.removeAll(QStringLiteral("--symbols")) == 0) {
        return {Symbols::Off, arguments};
    }
    return {Symbols::On, words.join(QLatin1Char(' '))};
}

QString InformationText(Information asked) {
    switch (asked) {
        case Information::Help:
            return Usage().arg(QStringLiteral("~/.local/share/Zintu/Zintu"));
        case Information::Version:
            return QStringLiteral("Zintu %1\n").arg(QCoreApplication::applicationVersion());
        case Information::None:
            break;
    }
    return {};
}

}  // namespace zintu
