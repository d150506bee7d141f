<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>zintu::BoardCursor</name>
    <message>
        <source>Столбец %1</source>
        <translation>Column %1</translation>
    </message>
    <message>
        <source>Строка %1</source>
        <translation>Row %1</translation>
    </message>
    <message>
        <source>пусто</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>красный</source>
        <translation>red</translation>
    </message>
    <message>
        <source>зелёный</source>
        <translation>green</translation>
    </message>
    <message>
        <source>жёлтый</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>синий</source>
        <translation>blue</translation>
    </message>
    <message>
        <source>фиолетовый</source>
        <translation>magenta</translation>
    </message>
    <message>
        <source>голубой</source>
        <translation>cyan</translation>
    </message>
    <message>
        <source>белый</source>
        <translation>white</translation>
    </message>
    <message>
        <source>Поле</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Поле 9 на 9 клеток. Стрелки выбирают клетку, пробел или Enter щёлкает по ней.</source>
        <translation>Board of 9 by 9 cells. The arrows choose a cell, Space or Enter clicks it.</translation>
    </message>
    <message>
        <source>Строка %1, столбец %2: %3</source>
        <translation>Row %1, column %2: %3</translation>
    </message>
    <message>
        <source>, выбран</source>
        <translation>, selected</translation>
    </message>
</context>
<context>
    <name>zintu::CommandLine</name>
    <message>
        <source>Использование: zintu [--symbols] [ШАГ]
       zintu --help | --version

Zintu: соберите пять шариков одного цвета в ряд на поле 9 на 9 клеток.

  ШАГ            скорость катящегося шарика, от 10 до 20 (иначе 10)
  --symbols      символ на каждом шарике, у каждого цвета свой
  -h, --help     показать эту справку и выйти
  -v, --version  показать версию и выйти

Клавиши: Tab доходит до поля после кнопки &quot;About&quot;; стрелки двигают рамку по полю;
пробел или Enter действуют как щелчок левой кнопкой по клетке в рамке; клавиша меню
или Shift+F10 прячет игру, как правая кнопка.

Файлы: таблица рекордов Zintu.scr лежит в папке данных пользователя
(%1), а у копии, запущенной из своей папки, рядом с программой;
первая строка Zintu.ini в рабочей папке называет общую папку для рекордов.
</source>
        <translation>Usage: zintu [--symbols] [STEP]
       zintu --help | --version

Zintu: line up five balls of one colour on a board of 9 by 9 cells.

  STEP           speed of the sliding ball, from 10 to 20 (anything else gives 10)
  --symbols      a symbol on every ball, one for each colour
  -h, --help     show this help and exit
  -v, --version  show the version and exit

Keys: Tab reaches the board after the &quot;About&quot; button; the arrows move the frame over the
board; Space or Enter act as a left click on the framed cell; the menu key or Shift+F10
hides the game, as the right button does.

Files: an installed copy keeps its table of records Zintu.scr in the user&apos;s data folder
(%1), a copy run from its own folder beside the program;
the first line of Zintu.ini in the working folder names a shared folder for the records.
</translation>
    </message>
</context>
<context>
    <name>zintu::PositionDialogs</name>
    <message>
        <source>Файл позиции для Zintu (*.poz) (*.poz);;All files (*.*) (*)</source>
        <translation>Zintu position file (*.poz) (*.poz);;All files (*.*) (*)</translation>
    </message>
    <message>
        <source>Сохранить текущее расположение шариков</source>
        <translation>Save the current position of the balls</translation>
    </message>
    <message>
        <source>Восстановить сохраненное расположение шариков</source>
        <translation>Restore a saved position of the balls</translation>
    </message>
</context>
<context>
    <name>zintu::PreviewMarkers</name>
    <message>
        <source>Этот шарик появится после хода, не собравшего ряд</source>
        <translation>This ball drops after a move that makes no run</translation>
    </message>
    <message>
        <source>Следующий шарик %1: %2</source>
        <translation>Next ball %1: %2</translation>
    </message>
</context>
<context>
    <name>zintu::RecordEntry</name>
    <message>
        <source>Установлен рекорд номер %1</source>
        <translation>New record, place %1</translation>
    </message>
    <message>
        <source>Введите ваше имя</source>
        <translation>Enter your name</translation>
    </message>
</context>
<context>
    <name>zintu::ScorePanel</name>
    <message>
        <source>Счёт</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Очки</source>
        <translation>Score</translation>
    </message>
    <message>
        <source> Очки претендента </source>
        <translation> Your score </translation>
    </message>
    <message>
        <source>Рекорд</source>
        <translation>Record</translation>
    </message>
    <message>
        <source> Рекорд </source>
        <translation> Record </translation>
    </message>
</context>
<context>
    <name>zintu::TrayIcon</name>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Показать</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>zintu::frmAbout</name>
    <message>
        <source>Спасибо всем моим тестерам, а особенно</source>
        <translation>Thanks to all my testers, and especially</translation>
    </message>
    <message>
        <source>всем, кто играл первым</source>
        <translation>to everyone who played first</translation>
    </message>
    <message>
        <source>и</source>
        <translation>and</translation>
    </message>
    <message>
        <source>всем, кто нашёл ошибки</source>
        <translation>to everyone who found bugs</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Проект Zintu, zintu@project.invalid</source>
        <translation>The Zintu project, zintu@project.invalid</translation>
    </message>
    <message>
        <source>Версия  %1  от  22.11.2000</source>
        <translation>Version  %1  of  22.11.2000</translation>
    </message>
    <message>
        <source>Значок Zintu</source>
        <translation>Zintu icon</translation>
    </message>
    <message>
        <source>Девять цветных шариков, три красных по диагонали</source>
        <translation>Nine coloured balls, three red ones on the diagonal</translation>
    </message>
</context>
<context>
    <name>zintu::frmScore</name>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Имя рекордсмена</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Рекорд</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Объединять имена</source>
        <translation>Merge names</translation>
    </message>
    <message>
        <source>10 лучших рекордов</source>
        <translation>10 best records</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Заголовки столбцов</source>
        <translation>Column titles</translation>
    </message>
    <message>
        <source>Место, имя, очки и дата рекорда</source>
        <translation>Place, name, points and date of a record</translation>
    </message>
    <message>
        <source>Рекорды</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Место, имя, очки и дата каждого рекорда</source>
        <translation>Place, name, points and date of each record</translation>
    </message>
</context>
<context>
    <name>zintu::frmZintu</name>
    <message>
        <source>Свернуть</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source> Спрятать на трей </source>
        <translation> Hide in the notification area </translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source> Конец игры </source>
        <translation> End the game </translation>
    </message>
    <message>
        <source>Сброс</source>
        <translation>New</translation>
    </message>
    <message>
        <source> Чтобы начать новую игру нажмите эту кнопку </source>
        <translation> Press this button to start a new game </translation>
    </message>
    <message>
        <source>Рекорды</source>
        <translation>Records</translation>
    </message>
    <message>
        <source> Показать 10 лучших рекордов. </source>
        <translation> Show the 10 best records. </translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source> Восстановить сохраненное расположение шариков. </source>
        <translation> Restore a saved position of the balls. </translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source> Сохранить текущее расположение шариков. </source>
        <translation> Save the current position of the balls. </translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source> О программе </source>
        <translation> About the program </translation>
    </message>
    <message>
        <source>Ход невозможен: к этой клетке нет свободного пути</source>
        <translation>No move: there is no free path to this cell</translation>
    </message>
    <message>
        <source>Игра закончена.<byte value="xd"/><byte value="xd"/>Ваш текущий результат - %1</source>
        <translation>Game over.<byte value="xd"/><byte value="xd"/>Your score - %1</translation>
    </message>
</context>
</TS>
