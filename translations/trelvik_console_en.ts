<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>SensorIdentity</name>
    <message>
        <source>Датчик %1, серийный № %2</source>
        <translation>Sensor %1, serial no. %2</translation>
    </message>
    <message>
        <source>Датчик %1, серийный № не прочитан</source>
        <translation>Sensor %1, serial no. not read</translation>
    </message>
    <message>
        <source>%1, версия %2</source>
        <translation>%1, version %2</translation>
    </message>
</context>
<context>
    <name>SensorMonitor</name>
    <message>
        <source>Монитор датчика</source>
        <translation>Sensor monitor</translation>
    </message>
    <message>
        <source>Записывать в файл…</source>
        <translation>Record to file…</translation>
    </message>
    <message>
        <source>Остановить запись</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Продолжить</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>1 мин</source>
        <translation>1 min</translation>
    </message>
    <message>
        <source>5 мин</source>
        <translation>5 min</translation>
    </message>
    <message>
        <source>30 мин</source>
        <translation>30 min</translation>
    </message>
    <message>
        <source>Всё</source>
        <translation>All</translation>
    </message>
    <message>
        <source>за 1 мин</source>
        <translation>in the last 1 min</translation>
    </message>
    <message>
        <source>за 5 мин</source>
        <translation>in the last 5 min</translation>
    </message>
    <message>
        <source>за 30 мин</source>
        <translation>in the last 30 min</translation>
    </message>
    <message>
        <source>за всё время</source>
        <translation>since the start</translation>
    </message>
    <message>
        <source>Сохранить обмен…</source>
        <translation>Save traffic…</translation>
    </message>
    <message>
        <source>Запись в файл %1: строк %2.</source>
        <translation>Recording to %1: %2 lines.</translation>
    </message>
    <message>
        <source>Запись остановлена: в файле %1 строк %2.</source>
        <translation>Recording stopped: %2 lines in %1.</translation>
    </message>
    <message>
        <source>Датчик %1 %2</source>
        <translation>Sensor %1 %2</translation>
    </message>
    <message>
        <source>Датчик %1</source>
        <translation>Sensor %1</translation>
    </message>
    <message>
        <source>Записывать опросы в файл</source>
        <translation>Record polls to file</translation>
    </message>
    <message>
        <source>Таблица CSV (*.csv)</source>
        <translation>CSV table (*.csv)</translation>
    </message>
    <message>
        <source>Запись не начата. %1: %2</source>
        <translation>Recording not started. %1: %2</translation>
    </message>
    <message>
        <source>Запись в файл %1: строка на каждый опрос.</source>
        <translation>Recording to %1: one line per poll.</translation>
    </message>
    <message>
        <source>Запись прервана, в файле строк %1. %2: %3</source>
        <translation>Recording broken off, %1 lines in the file. %2: %3</translation>
    </message>
    <message>
        <source>Запись в файл прервана. %1: %2</source>
        <translation>Recording to file broken off. %1: %2</translation>
    </message>
    <message>
        <source>Сохранять нечего: обмена ещё не было.</source>
        <translation>Nothing to save: no traffic yet.</translation>
    </message>
    <message>
        <source>Сохранить обмен</source>
        <translation>Save traffic</translation>
    </message>
    <message>
        <source>Обмен %1</source>
        <translation>Traffic %1</translation>
    </message>
    <message>
        <source>Текст (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>Обмен не сохранён. %1</source>
        <translation>Traffic not saved. %1</translation>
    </message>
    <message>
        <source>Обмен сохранён в файл %1: кадров %2.</source>
        <translation>Traffic saved to %1: %2 frames.</translation>
    </message>
    <message>
        <source>Датчик не выбран</source>
        <translation>No sensor selected</translation>
    </message>
    <message>
        <source>Нет опросов датчика: включите опрос («Блокировка») в главном окне.</source>
        <translation>No polls of the sensor: switch the poll on (&quot;Lock&quot;) in the main window.</translation>
    </message>
    <message>
        <source>Уровень %1    Температура %2 °C</source>
        <translation>Level %1    Temperature %2 °C</translation>
    </message>
    <message>
        <source>%1 опросов нет.</source>
        <translation>No polls %1.</translation>
    </message>
    <message>
        <source>%1 (опросов %2): мин %3, макс %4, среднее %5, разброс %6, СКО %7</source>
        <translation>%1 (%2 polls): min %3, max %4, mean %5, spread %6, SD %7</translation>
    </message>
    <message>
        <source>Пауза. %1</source>
        <translation>Paused. %1</translation>
    </message>
    <message>
        <source>Нет опросов датчика: линия не подключена («Подключить» в главном окне).</source>
        <translation>No polls of the sensor: the line is not connected (&quot;Connect&quot; in the main window).</translation>
    </message>
    <message>
        <source>Нет опросов датчика: в главном окне не выбран «Сет. номер».</source>
        <translation>No polls of the sensor: no &quot;Net no.&quot; is chosen in the main window.</translation>
    </message>
    <message>
        <source>Датчик %1 не отвечает на опрос: проверьте его подключение к линии.</source>
        <translation>Sensor %1 does not answer the poll: check its connection to the line.</translation>
    </message>
    <message>
        <source>Запись в файл %1 остановлена: опрос перешёл на другой датчик (строк %2).</source>
        <translation>Recording to %1 stopped: the poll went on to another sensor (%2 lines).</translation>
    </message>
    <message>
        <source>Датчик %1: ждём ответа на опрос…</source>
        <translation>Sensor %1: waiting for an answer to the poll…</translation>
    </message>
</context>
<context>
    <name>SensorMonitorChart</name>
    <message>
        <source>уровень</source>
        <translation>level</translation>
    </message>
    <message>
        <source>температура, °C</source>
        <translation>temperature, °C</translation>
    </message>
    <message>
        <source>Нет опросов за это время</source>
        <translation>No polls in this time</translation>
    </message>
</context>
<context>
    <name>TaringChart</name>
    <message>
        <source>точки</source>
        <translation>points</translation>
    </message>
    <message>
        <source>таблица (40 строк)</source>
        <translation>table (40 rows)</translation>
    </message>
    <message>
        <source>наибольшее отклонение</source>
        <translation>largest deviation</translation>
    </message>
    <message>
        <source>доливка под сомнением</source>
        <translation>doubtful portion</translation>
    </message>
    <message>
        <source>Литры, л</source>
        <translation>Litres, l</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Точек пока нет</source>
        <translation>No points yet</translation>
    </message>
    <message>
        <source>Таблица проходит через все точки.</source>
        <translation>The table passes through every point.</translation>
    </message>
    <message>
        <source>Таблица проходит через все точки; литры в ней целые, отклонение до %1 л.</source>
        <translation>The table passes through every point; its litres are whole, deviation up to %1 l.</translation>
    </message>
    <message>
        <source>Наибольшее отклонение %1 л (строка %2 таблицы)</source>
        <translation>Largest deviation %1 l (table row %2)</translation>
    </message>
    <message>
        <source>Наибольшее отклонение %1 л</source>
        <translation>Largest deviation %1 l</translation>
    </message>
    <message>
        <source>Наибольшее отклонение %1 л (точка %2)</source>
        <translation>Largest deviation %1 l (point %2)</translation>
    </message>
    <message numerus="yes">
        <source>Таблица проходит через все точки, кроме отложенных (их уровень занят другой точкой): %n.</source>
        <translation>
            <numerusform>The table passes through every point but %n set aside (its level taken by another point).</numerusform>
            <numerusform>The table passes through every point but %n set aside (their level taken by other points).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Таблица проходит через все точки, кроме отложенных (их уровень занят другой точкой): %n; литры в ней целые, отклонение до %1 л.</source>
        <translation>
            <numerusform>The table passes through every point but %n set aside (its level taken by another point); its litres are whole, deviation up to %1 l.</numerusform>
            <numerusform>The table passes through every point but %n set aside (their level taken by other points); its litres are whole, deviation up to %1 l.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TaringReport</name>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litres</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Разброс</source>
        <translation>Spread</translation>
    </message>
    <message>
        <source>Адрес датчика</source>
        <translation>Sensor address</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>Ячейка</source>
        <translation>Slot</translation>
    </message>
    <message>
        <source>Транспорт</source>
        <translation>Vehicle</translation>
    </message>
    <message>
        <source>Бак</source>
        <translation>Tank</translation>
    </message>
    <message>
        <source>Техник</source>
        <translation>Technician</translation>
    </message>
    <message>
        <source>Точек</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Протокол тарировки</source>
        <translation>Tank calibration report</translation>
    </message>
    <message>
        <source>%1: не удалось начать PDF</source>
        <translation>%1: could not start the PDF</translation>
    </message>
    <message>
        <source>Таблица калибровки (40 строк)</source>
        <translation>Calibration table (40 rows)</translation>
    </message>
    <message>
        <source>%1, датчик %2, %3</source>
        <translation>%1, sensor %2, %3</translation>
    </message>
    <message>
        <source>Стр. %1 из %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Точки тарировки</source>
        <translation>Calibration points</translation>
    </message>
    <message>
        <source>Точки тарировки (продолжение)</source>
        <translation>Calibration points (continued)</translation>
    </message>
    <message>
        <source>Точки тарировки (с уже взятым уровнем, не в таблице: %1)</source>
        <translation>Calibration points (level already taken, not in the table: %1)</translation>
    </message>
    <message>
        <source>%1: не удалось закончить PDF</source>
        <translation>%1: could not finish the PDF</translation>
    </message>
</context>
<context>
    <name>TaringWindow</name>
    <message>
        <source>Тарировка бака</source>
        <translation>Tank calibration</translation>
    </message>
    <message>
        <source>Записать точку</source>
        <translation>Take point</translation>
    </message>
    <message>
        <source>Ждём успокоения…</source>
        <translation>Settling…</translation>
    </message>
    <message>
        <source>Для таблицы нужны хотя бы две точки с разным уровнем.</source>
        <translation>A table needs at least two points with different levels.</translation>
    </message>
    <message>
        <source>Точка %1: уровень вне диапазона 0....%2.</source>
        <translation>Point %1: level outside 0....%2.</translation>
    </message>
    <message>
        <source>Точка %1: литры вне диапазона 0....%2.</source>
        <translation>Point %1: litres outside 0....%2.</translation>
    </message>
    <message>
        <source>Точки %1 и %2: одни и те же литры при разном уровне.</source>
        <translation>Points %1 and %2: the same litres at different levels.</translation>
    </message>
    <message>
        <source>Точка %1: уровень ниже, чем у точки %2, хотя литров больше.</source>
        <translation>Point %1: level lower than at point %2, though with more litres.</translation>
    </message>
    <message>
        <source>Первая точка — бак как есть: в поле «Долито, л» литры в баке сейчас (обычно 0).</source>
        <translation>The first point is the tank as it is: put the litres in the tank now (usually 0) into &quot;Poured, l&quot;.</translation>
    </message>
    <message>
        <source>Отменить точку</source>
        <translation>Undo point</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litres</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Разброс</source>
        <translation>Spread</translation>
    </message>
    <message>
        <source>Сохранить протокол…</source>
        <translation>Save report…</translation>
    </message>
    <message>
        <source>Готово</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Долито, л</source>
        <translation>Poured, l</translation>
    </message>
    <message>
        <source>Успокоение, с</source>
        <translation>Settling, s</translation>
    </message>
    <message>
        <source>Допуск</source>
        <translation>Tolerance</translation>
    </message>
    <message>
        <source>Транспорт</source>
        <translation>Vehicle</translation>
    </message>
    <message>
        <source>Бак</source>
        <translation>Tank</translation>
    </message>
    <message>
        <source>Техник</source>
        <translation>Technician</translation>
    </message>
    <message>
        <source>У датчика по адресу %1 теперь серийный № %2, а сессия начата с № %3: точки этого датчика в неё не записываются.</source>
        <translation>The sensor at address %1 now has serial no. %2, but the session was begun with no. %3: this sensor&apos;s points are not written to it.</translation>
    </message>
    <message>
        <source>%1

Начать для него свою сессию? Прежняя останется в файле %2.</source>
        <translation>%1

Begin a session of its own for it? The earlier one stays in the file %2.</translation>
    </message>
    <message>
        <source>Новая сессия для датчика № %1. Первая точка — бак как есть.</source>
        <translation>New session for sensor no. %1. The first point is the tank as it is.</translation>
    </message>
    <message>
        <source>Папку для сессий %1 создать не удалось: точки не будут сохраняться.</source>
        <translation>Could not create the session folder %1: points will not be saved.</translation>
    </message>
    <message>
        <source>Есть незаконченная тарировка этого датчика (файл %1). Точек в ней: %2, последняя — %3 л при уровне %4.

Продолжить её?</source>
        <translation>There is an unfinished calibration of this sensor (file %1). Points in it: %2, the last %3 l at level %4.

Continue it?</translation>
    </message>
    <message>
        <source>Тарировка продолжена: после доливки введите литры и нажмите «%1».</source>
        <translation>Calibration continued: after pouring, enter the litres and press &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Сессию тарировки не удалось сохранить. %1</source>
        <translation>Could not save the calibration session. %1</translation>
    </message>
    <message>
        <source>Успокоение: число секунд</source>
        <translation>Settling: a number of seconds</translation>
    </message>
    <message>
        <source>Допуск: число</source>
        <translation>Tolerance: a number</translation>
    </message>
    <message>
        <source>%1 от 0 до %2; оставлено %3.</source>
        <translation>%1 from 0 to %2; kept %3.</translation>
    </message>
    <message>
        <source>Введите, сколько литров в баке сейчас: число от 0 до %1.</source>
        <translation>Enter how many litres are in the tank now: a number from 0 to %1.</translation>
    </message>
    <message>
        <source>Введите, сколько литров долито: число больше 0.</source>
        <translation>Enter how many litres were poured: a number above 0.</translation>
    </message>
    <message>
        <source>С этой доливкой в баке %1 л, больше, чем держит таблица (%2 л). Точка не записана.</source>
        <translation>With this portion the tank holds %1 l, more than the table can hold (%2 l). Point not taken.</translation>
    </message>
    <message>
        <source>Точка %1 записана: %2 л, уровень %3.</source>
        <translation>Point %1 taken: %2 l, level %3.</translation>
    </message>
    <message>
        <source> Уровень не вырос (у точки %1 — %2): проверьте доливку; «Отменить точку» убирает её.</source>
        <translation> The level did not rise (point %1 had %2): check the portion; &quot;Undo point&quot; removes it.</translation>
    </message>
    <message>
        <source>Точка не записана: ожидание отменено.</source>
        <translation>Point not taken: waiting cancelled.</translation>
    </message>
    <message>
        <source>Точка %1 отменена (%2 л, уровень %3).</source>
        <translation>Point %1 undone (%2 l, level %3).</translation>
    </message>
    <message>
        <source> Её топливо осталось в баке: введите долитое заново, не доливая, и нажмите «%1».</source>
        <translation> Its fuel is still in the tank: enter the portion again without pouring and press &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Точка ещё ждёт успокоения уровня: дождитесь её или отмените.</source>
        <translation>A point is still waiting for the level to settle: wait for it or undo it.</translation>
    </message>
    <message>
        <source>Таблица не построена. %1</source>
        <translation>No table built. %1</translation>
    </message>
    <message>
        <source>Таблица в главном окне, в %1. Проверьте её и нажмите «Установить таблицу».</source>
        <translation>The table is in the main window, in %1. Check it and press &quot;Write table&quot;.</translation>
    </message>
    <message>
        <source>Протокол тарировки</source>
        <translation>Calibration report</translation>
    </message>
    <message>
        <source>Сохранить протокол тарировки</source>
        <translation>Save calibration report</translation>
    </message>
    <message>
        <source>Протокол PDF (*.pdf)</source>
        <translation>PDF report (*.pdf)</translation>
    </message>
    <message>
        <source>Протокол не сохранён. %1</source>
        <translation>Report not saved. %1</translation>
    </message>
    <message>
        <source>Протокол сохранён в файл %1.</source>
        <translation>Report saved to %1.</translation>
    </message>
    <message>
        <source>Тарировка не закончена, точек: %1.

Сохранённую сессию можно продолжить потом: её предложит следующая «Тарировка бака…» для этого датчика.</source>
        <translation>The calibration is not finished, points: %1.

The saved session can be continued later: the next &quot;Tank calibration…&quot; of this sensor offers it.</translation>
    </message>
    <message>
        <source>Сохранить и закрыть</source>
        <translation>Save and close</translation>
    </message>
    <message>
        <source>Удалить и закрыть</source>
        <translation>Delete and close</translation>
    </message>
    <message>
        <source>Вернуться</source>
        <translation>Go back</translation>
    </message>
    <message>
        <source>%1 — таблица для %2</source>
        <translation>%1 — table for %2</translation>
    </message>
    <message>
        <source>Сессия: %1</source>
        <translation>Session: %1</translation>
    </message>
    <message>
        <source>Сессия: файл будет назван, когда датчик сообщит серийный номер.</source>
        <translation>Session: the file is named once the sensor tells its serial number.</translation>
    </message>
    <message>
        <source>Сессия: ещё не начата.</source>
        <translation>Session: not begun yet.</translation>
    </message>
    <message>
        <source>Нет уровня от датчика: проверьте подключение.</source>
        <translation>No level from the sensor: check the connection.</translation>
    </message>
    <message>
        <source>Уровень устоялся (разброс %1).</source>
        <translation>Level settled (spread %1).</translation>
    </message>
    <message>
        <source>Уровень меняется: разброс %1 больше допуска %2.</source>
        <translation>Level changing: spread %1 above tolerance %2.</translation>
    </message>
    <message>
        <source>Успокаивается: разброс %1, ждать ещё %2 с.</source>
        <translation>Settling: spread %1, %2 s to wait.</translation>
    </message>
    <message>
        <source>Точка %1 л ждёт. %2</source>
        <translation>Point at %1 l waiting. %2</translation>
    </message>
    <message>
        <source>В главном окне не выбран «Сет. номер»: выберите в списке %1.</source>
        <translation>No &quot;Net no.&quot; is chosen in the main window: choose %1 in its list.</translation>
    </message>
    <message>
        <source>Главное окно опрашивает датчик %1, а не %2: верните в нём «Сет. номер» %2.</source>
        <translation>The main window polls sensor %1, not %2: set its &quot;Net no.&quot; back to %2.</translation>
    </message>
    <message>
        <source>Опрос выключен: включите его кнопкой «Блокировка» в главном окне.</source>
        <translation>Polling is off: switch it on with &quot;Lock&quot; in the main window.</translation>
    </message>
    <message>
        <source>Точка %1: %2 л на %3 ед. уровня, у соседних около %4 л; опечатка?</source>
        <translation>Point %1: %2 l for %3 level units, about %4 l at its neighbours; a typing error?</translation>
    </message>
    <message>
        <source>Точка %1 л будет записана, когда уровень устоится; не доливайте до тех пор. «Отменить точку» — не ждать.</source>
        <translation>The point at %1 l will be taken once the level settles; pour nothing until then. &quot;Undo point&quot; stops waiting.</translation>
    </message>
    <message>
        <source>

Точка %1 л ждёт успокоения: закрыв окно, вы её не запишете.</source>
        <translation>

The point at %1 l is waiting for the level to settle: closing the window leaves it untaken.</translation>
    </message>
    <message>
        <source>Точка не записана: её топливо в баке. Когда сессию можно будет сохранить, нажмите «%1» снова, не доливая.</source>
        <translation>The point was not taken: its fuel is in the tank. Once the session can be saved, press &quot;%1&quot; again without pouring.</translation>
    </message>
    <message>
        <source>Таблица не передана: в главном окне осталась незаписанная таблица.</source>
        <translation>The table was not handed over: the main window keeps its unwritten table.</translation>
    </message>
</context>
<context>
    <name>frmSerial</name>
    <message>
        <source>Подключено: %1</source>
        <translation>Connected: %1</translation>
    </message>
    <message>
        <source>Отключено.</source>
        <translation>Disconnected.</translation>
    </message>
    <message>
        <source>Разблокировка</source>
        <translation>Unlock</translation>
    </message>
    <message>
        <source>Блокировка</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>Пришла какая-то фигня</source>
        <translation>Some garbage came in</translation>
    </message>
    <message>
        <source>%1. Прочитанная таблица не показана: в окне незаписанная.</source>
        <translation>%1. Table read but not shown: the window holds an unwritten one.</translation>
    </message>
    <message>
        <source>Произошел опрос сети.</source>
        <translation>Network search done.</translation>
    </message>
    <message>
        <source>Установите существующий сетевой адрес</source>
        <translation>Set an existing network address</translation>
    </message>
    <message>
        <source>сет. номер</source>
        <translation>net no.</translation>
    </message>
    <message>
        <source>отключен</source>
        <translation>off</translation>
    </message>
    <message>
        <source>значение</source>
        <translation>value</translation>
    </message>
    <message>
        <source>литры</source>
        <translation>litres</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
    <message>
        <source>%1 %2 → %3</source>
        <translation>%1 %2 → %3</translation>
    </message>
    <message>
        <source>строка %1: %2</source>
        <translation>row %1: %2</translation>
    </message>
    <message>
        <source>%1 Записать всё равно?</source>
        <translation>%1 Write anyway?</translation>
    </message>
    <message>
        <source>изменена вручную</source>
        <translation>changed by hand</translation>
    </message>
    <message>
        <source>загружена из файла</source>
        <translation>loaded from a file</translation>
    </message>
    <message>
        <source>сделана тарировкой</source>
        <translation>made by tank calibration</translation>
    </message>
    <message>
        <source>Таблица для %1 не записана в блок (%2). Прочитать %3 и потерять её?</source>
        <translation>The table for %1 is not written to the unit (%2). Read %3 and lose it?</translation>
    </message>
    <message>
        <source>%1. Таблица проверена: в блоке то же, что отправлено.</source>
        <translation>%1. Table checked: the unit holds what was sent.</translation>
    </message>
    <message>
        <source>%1. В блоке другое: %2.</source>
        <translation>%1. The unit holds something else: %2.</translation>
    </message>
    <message>
        <source>%1. Таблица не проверена: блок не вернул её целой.</source>
        <translation>%1. Table not checked: the unit did not return it whole.</translation>
    </message>
    <message>
        <source>СТОП</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>Проверка</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Введите новый сетевой номер</source>
        <translation>Enter the new network number</translation>
    </message>
    <message>
        <source>Ввод сетевого номера</source>
        <translation>Network number</translation>
    </message>
    <message>
        <source>Введите число в диапазоне 0....200</source>
        <translation>Enter a number in the range 0....200</translation>
    </message>
    <message>
        <source>Введите серийный номер</source>
        <translation>Enter the serial number</translation>
    </message>
    <message>
        <source>Ввод серийного номера</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Введите число в диапазоне 0....2 000 000</source>
        <translation>Enter a number in the range 0....2 000 000</translation>
    </message>
    <message>
        <source>Основное</source>
        <translation>Main</translation>
    </message>
    <message>
        <source>Калибровка</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Связь</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Режим ВИРС</source>
        <translation>VIRS mode</translation>
    </message>
    <message>
        <source>Пассивный режим</source>
        <translation>Passive mode</translation>
    </message>
    <message>
        <source>Активный режим</source>
        <translation>Active mode</translation>
    </message>
    <message>
        <source>Установить </source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Ввести пароль</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Set password</translation>
    </message>
    <message>
        <source>ВИРС</source>
        <translation>VIRS</translation>
    </message>
    <message>
        <source>послать</source>
        <translation>send</translation>
    </message>
    <message>
        <source>запросить</source>
        <translation>request</translation>
    </message>
    <message>
        <source>автозапрос</source>
        <translation>auto request</translation>
    </message>
    <message>
        <source>станд. запрос</source>
        <translation>std. request</translation>
    </message>
    <message>
        <source>Фиксированное число 900</source>
        <translation>Fixed number 900</translation>
    </message>
    <message>
        <source>Команды</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>Нижний ур</source>
        <translation>Low level</translation>
    </message>
    <message>
        <source>Верхний ур</source>
        <translation>High level</translation>
    </message>
    <message>
        <source>Уст.сет.ном.</source>
        <translation>Set net no.</translation>
    </message>
    <message>
        <source>Установки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Устройства в сети:</source>
        <translation>Devices on the line:</translation>
    </message>
    <message>
        <source>Устройства не определены</source>
        <translation>No devices found</translation>
    </message>
    <message>
        <source>Режимы</source>
        <translation>Modes</translation>
    </message>
    <message>
        <source>Режим RS-485</source>
        <translation>RS-485 mode</translation>
    </message>
    <message>
        <source>Аналоговый Режим</source>
        <translation>Analogue mode</translation>
    </message>
    <message>
        <source>Частотный режим</source>
        <translation>Frequency mode</translation>
    </message>
    <message>
        <source>Инверсия индикатора</source>
        <translation>Invert indicator</translation>
    </message>
    <message>
        <source>Сглаживание</source>
        <translation>Smoothing</translation>
    </message>
    <message>
        <source>&amp;Установить</source>
        <translation>&amp;Set</translation>
    </message>
    <message>
        <source>Таблица калибровки</source>
        <translation>Calibration table</translation>
    </message>
    <message>
        <source>Сет. номер</source>
        <translation>Net no.</translation>
    </message>
    <message>
        <source>Отключен</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Значения датчика</source>
        <translation>Sensor values</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litres</translation>
    </message>
    <message>
        <source>Датчик</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Темпер.</source>
        <translation>Temp.</translation>
    </message>
    <message>
        <source>Текущий</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>&amp;Поиск датчиков</source>
        <translation>&amp;Find sensors</translation>
    </message>
    <message>
        <source>Читать таблицу</source>
        <translation>Read table</translation>
    </message>
    <message>
        <source>Установить таблицу</source>
        <translation>Write table</translation>
    </message>
    <message>
        <source>Зап.Форму</source>
        <translation>Save form</translation>
    </message>
    <message>
        <source>Монитор датчика…</source>
        <translation>Sensor monitor…</translation>
    </message>
    <message>
        <source>Сохранить таблицу в файл</source>
        <translation>Save table to file</translation>
    </message>
    <message>
        <source>Загрузить таблицу из файла</source>
        <translation>Load table from file</translation>
    </message>
    <message>
        <source>Таблица CSV (*.csv);;Таблица JSON (*.json)</source>
        <translation>CSV table (*.csv);;JSON table (*.json)</translation>
    </message>
    <message>
        <source>Таблицы (*.csv *.json);;Все файлы (*)</source>
        <translation>Tables (*.csv *.json);;All files (*)</translation>
    </message>
    <message>
        <source>Сохранить таблицу в файл…</source>
        <translation>Save table to file…</translation>
    </message>
    <message>
        <source>Загрузить таблицу из файла…</source>
        <translation>Load table from file…</translation>
    </message>
    <message>
        <source>Таблица не сохранена. %1</source>
        <translation>Table not saved. %1</translation>
    </message>
    <message>
        <source>Таблица сохранена в файл %1.</source>
        <translation>Table saved to %1.</translation>
    </message>
    <message>
        <source>Таблица не загружена. %1</source>
        <translation>Table not loaded. %1</translation>
    </message>
    <message>
        <source>Таблица загружена из файла %1.</source>
        <translation>Table loaded from %1.</translation>
    </message>
    <message>
        <source>Тарировка бака…</source>
        <translation>Tank calibration…</translation>
    </message>
    <message>
        <source>Таблица тарировки готова к записи в %1.</source>
        <translation>Calibration table ready to write to %1.</translation>
    </message>
    <message>
        <source>%1 Not available!</source>
        <translation>%1 Not available!</translation>
    </message>
    <message>
        <source>Error writing to comm&apos;s</source>
        <translation>Error writing to comm&apos;s</translation>
    </message>
    <message>
        <source>Enter numeric password in range 0....2 000 000 000</source>
        <translation>Enter numeric password in range 0....2 000 000 000</translation>
    </message>
    <message>
        <source>Enter password</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Enter correct password</source>
        <translation>Enter correct password</translation>
    </message>
    <message>
        <source>Changing password. Are you sure?</source>
        <translation>Changing password. Are you sure?</translation>
    </message>
    <message>
        <source>Enter new password</source>
        <translation>Enter new password</translation>
    </message>
    <message>
        <source>Invalid password</source>
        <translation>Invalid password</translation>
    </message>
    <message>
        <source>Enter value in range 0....9999</source>
        <translation>Enter value in range 0....9999</translation>
    </message>
    <message>
        <source>Commands and Results</source>
        <translation>Commands and Results</translation>
    </message>
    <message>
        <source>Подключено: %1. Команда, поданная без подключения, не отправлена: подайте её снова.</source>
        <translation>Connected: %1. A command given while disconnected was not sent: give it again.</translation>
    </message>
    <message>
        <source>Таблица для %1 не записана в блок (%2). Загрузить %3 и потерять её?</source>
        <translation>The table for %1 is not written to the unit (%2). Load %3 and lose it?</translation>
    </message>
    <message>
        <source>Таблица для %1 не записана в блок (%2). Закрыть программу и потерять её?</source>
        <translation>The table for %1 is not written to the unit (%2). Close the program and lose it?</translation>
    </message>
    <message>
        <source>Нет подключения: команда не отправлена. Подключитесь («Подключить») и подайте её снова.</source>
        <translation>Not connected: the command was not sent. Connect (&quot;Connect&quot;) and give it again.</translation>
    </message>
    <message>
        <source>Запись опросов в файл %1 продолжается; остановить её можно в мониторе (Ctrl+M).</source>
        <translation>Polls are still being recorded to %1; stop it in the monitor (Ctrl+M).</translation>
    </message>
    <message>
        <source>таблицу тарировки</source>
        <translation>the taring table</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Язык окна: ru или en.</source>
        <translation>The language of the window: ru or en.</translation>
    </message>
    <message>
        <source>«%1»: не язык программы (ru или en); она говорит на %2.</source>
        <translation>&quot;%1&quot; is not a language of the program (ru or en); it speaks %2.</translation>
    </message>
    <message>
        <source>Сервисная консоль блока индикации Trelvik и его датчиков</source>
        <translation>Service console for the Trelvik display unit and its sensors</translation>
    </message>
    <message>
        <source>Выйти, как только окно показано.</source>
        <translation>Quit once the window has been shown.</translation>
    </message>
    <message>
        <source>Вписать ПУТЬ в поле порта при запуске.</source>
        <translation>Put PATH into the port box at start.</translation>
    </message>
    <message>
        <source>ПУТЬ</source>
        <translation>PATH</translation>
    </message>
</context>
</TS>
