<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>Language</name>
    <message>
        <source>%1 и ещё %2</source>
        <translation>%1 and %2 more</translation>
    </message>
</context>
<context>
    <name>TableChecks</name>
    <message>
        <source>Значения датчика не растут: строки %1.</source>
        <translation>Sensor values do not rise: rows %1.</translation>
    </message>
    <message>
        <source>Литры убывают: строки %1.</source>
        <translation>Litres fall: rows %1.</translation>
    </message>
</context>
<context>
    <name>TableCompare</name>
    <message>
        <source>сетевой номер: записано %1, прочитано %2</source>
        <translation>network_number: written %1, read %2</translation>
    </message>
    <message>
        <source>отключен: записано %1, прочитано %2</source>
        <translation>switched_off: written %1, read %2</translation>
    </message>
    <message>
        <source>строка %1, значение датчика: записано %2, прочитано %3</source>
        <translation>row %1, sensor_value: written %2, read %3</translation>
    </message>
    <message>
        <source>строка %1, литры: записано %2, прочитано %3</source>
        <translation>row %1, litres: written %2, read %3</translation>
    </message>
</context>
<context>
    <name>TableCsv</name>
    <message>
        <source>В файле с «,» между ячейками десятичная запятая не читается: разделите ячейки знаком «;» или запишите %1</source>
        <translation>A file with &quot;,&quot; between the cells cannot hold a decimal comma: separate the cells with &quot;;&quot; or write %1</translation>
    </message>
    <message>
        <source>Запишите число без пробелов: %1</source>
        <translation>Write the number without blanks: %1</translation>
    </message>
    <message>
        <source>лишнее поле «%1»</source>
        <translation>extra cell &quot;%1&quot;</translation>
    </message>
    <message>
        <source>«%1» — одно число? В файле с «,» между ячейками десятичная запятая не читается: разделите ячейки знаком «;» или запишите %2</source>
        <translation>&quot;%1&quot;: one number? A file with &quot;,&quot; between the cells cannot hold a decimal comma: separate the cells with &quot;;&quot; or write %2</translation>
    </message>
    <message>
        <source>строка %1</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>строка файла %1 (строка таблицы %2)</source>
        <translation>file line %1 (table row %2)</translation>
    </message>
    <message>
        <source>не закрыта кавычка</source>
        <translation>a quote is not closed</translation>
    </message>
    <message>
        <source>«%1» второй раз (первый раз в строке %2)</source>
        <translation>&quot;%1&quot; a second time (first on line %2)</translation>
    </message>
    <message>
        <source>неизвестная строка «%1»: ожидается номер строки таблицы, «%2», «%3» или «%4» (в английском файле «%5», «%6» или «%7»)</source>
        <translation>unknown line &quot;%1&quot;: expected a table row number, &quot;%5&quot;, &quot;%6&quot; or &quot;%7&quot; (&quot;%2&quot;, &quot;%3&quot; or &quot;%4&quot; in a Russian file)</translation>
    </message>
    <message>
        <source>номер %1 второй раз (первый раз в строке файла %2)</source>
        <translation>row %1 a second time (first on file line %2)</translation>
    </message>
    <message>
        <source>нет строки «%1»</source>
        <translation>no &quot;%2&quot; line</translation>
    </message>
    <message>
        <source>в столбце «%1» нет номера %3</source>
        <translation>the &quot;%2&quot; column has no row %3</translation>
    </message>
    <message>
        <source>в столбце «%1» нет номеров %3</source>
        <translation>the &quot;%2&quot; column has no rows %3</translation>
    </message>
    <message>
        <source>подписи столбцов «%1»: ожидается «%2» (в английском файле «%3»)</source>
        <translation>column labels &quot;%1&quot;: expected &quot;%3&quot; (in a Russian file &quot;%2&quot;)</translation>
    </message>
    <message>
        <source>Столбцы значений датчика и литров переставлены: верните их на места.</source>
        <translation>The sensor value and litres columns are swapped: put them back in place.</translation>
    </message>
    <message>
        <source>файл пуст</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>отключен «%1»: ожидается %2, %3, 1 или 0 (в английском файле %4 или %5)</source>
        <translation>switched off &quot;%1&quot;: expected %4, %5, 1 or 0 (%2 or %3 in a Russian file)</translation>
    </message>
</context>
<context>
    <name>TableFile</name>
    <message>
        <source>поле «%1»</source>
        <translation>field &quot;%1&quot;</translation>
    </message>
    <message>
        <source>сет. номер %1 вне диапазона %2....%3</source>
        <translation>network number %1 is outside %2 to %3</translation>
    </message>
    <message>
        <source>сет. номер: пусто</source>
        <translation>network number: empty</translation>
    </message>
    <message>
        <source>сет. номер «%1» не число</source>
        <translation>network number &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>значение датчика %1 вне диапазона %2....%3</source>
        <translation>sensor value %1 is outside %2 to %3</translation>
    </message>
    <message>
        <source>значение датчика: пусто</source>
        <translation>sensor value: empty</translation>
    </message>
    <message>
        <source>значение датчика «%1» не число</source>
        <translation>sensor value &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>литры %1 вне диапазона %2....%3</source>
        <translation>litres %1 is outside %2 to %3</translation>
    </message>
    <message>
        <source>литры: пусто</source>
        <translation>litres: empty</translation>
    </message>
    <message>
        <source>литры «%1» не число</source>
        <translation>litres &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>номер строки %1 вне диапазона %2....%3</source>
        <translation>row number %1 is outside %2 to %3</translation>
    </message>
    <message>
        <source>номер строки: пусто</source>
        <translation>row number: empty</translation>
    </message>
    <message>
        <source>номер строки «%1» не число</source>
        <translation>row number &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>нет такого поля</source>
        <translation>no such field</translation>
    </message>
    <message>
        <source>ожидается число</source>
        <translation>expected a number</translation>
    </message>
    <message>
        <source>%1 не целое число</source>
        <translation>%1 is not a whole number</translation>
    </message>
    <message>
        <source>ожидается true или false</source>
        <translation>expected true or false</translation>
    </message>
    <message>
        <source>не JSON: %1 (байт %2)</source>
        <translation>not JSON: %1 (byte %2)</translation>
    </message>
    <message>
        <source>ожидается объект JSON</source>
        <translation>expected a JSON object</translation>
    </message>
    <message>
        <source>ожидается «%1»</source>
        <translation>expected &quot;%1&quot;</translation>
    </message>
    <message>
        <source>читается версия %1</source>
        <translation>only version %1 is read</translation>
    </message>
    <message>
        <source>ожидается массив точек</source>
        <translation>expected an array of points</translation>
    </message>
    <message>
        <source>ожидается %1 точек, в файле %2</source>
        <translation>expected %1 points, the file has %2</translation>
    </message>
    <message>
        <source>ожидается объект с полями sensor_value и litres</source>
        <translation>expected an object with the fields sensor_value and litres</translation>
    </message>
    <message>
        <source>ожидается строка</source>
        <translation>expected text</translation>
    </message>
    <message>
        <source>ожидается объект с полями passive и virs</source>
        <translation>expected an object with the fields passive and virs</translation>
    </message>
    <message>
        <source>ожидается массив из %1 таблиц</source>
        <translation>expected an array of %1 tables</translation>
    </message>
    <message>
        <source>ожидается объект таблицы</source>
        <translation>expected a table object</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A file&apos;s name, then what is wrong with the whole file.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>файл слишком велик для таблицы</source>
        <translation>the file is too large for a table</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <extracomment>A file&apos;s name, where in the file, then what is wrong there.</extracomment>
        <translation>%1, %2: %3</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <extracomment>What is wrong in a file, then how to put it right.</extracomment>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>ожидается целое число</source>
        <translation>expected a whole number</translation>
    </message>
    <message>
        <source>%1 меньше %2</source>
        <translation>%1 is below %2</translation>
    </message>
    <message>
        <source>%1 вне диапазона %2....%3</source>
        <translation>%1 is outside %2 to %3</translation>
    </message>
    <message>
        <source>ожидается объект с полями litres и level</source>
        <translation>expected an object with the fields litres and level</translation>
    </message>
    <message>
        <source>ожидается текст</source>
        <translation>expected text</translation>
    </message>
    <message>
        <source>имя файла пусто</source>
        <translation>the file name is empty</translation>
    </message>
</context>
<context>
    <name>TableTexts</name>
    <message>
        <source>Таблица не записана. Сет. номер: введите число в диапазоне 0....%2</source>
        <translation>The table was not written. Network number: enter a number from 0 to %2</translation>
    </message>
    <message>
        <source>Таблица не записана. Значения датчика, строка %1: введите число в диапазоне 0....%2</source>
        <translation>The table was not written. Sensor values, row %1: enter a number from 0 to %2</translation>
    </message>
    <message>
        <source>Таблица не записана. Литры, строка %1: введите число в диапазоне 0....%2</source>
        <translation>The table was not written. Litres, row %1: enter a number from 0 to %2</translation>
    </message>
    <message>
        <source>Таблица не сохранена. Сет. номер: введите число в диапазоне 0....%2</source>
        <translation>The table was not saved. Network number: enter a number from 0 to %2</translation>
    </message>
    <message>
        <source>Таблица не сохранена. Значения датчика, строка %1: введите число в диапазоне 0....%2</source>
        <translation>The table was not saved. Sensor values, row %1: enter a number from 0 to %2</translation>
    </message>
    <message>
        <source>Таблица не сохранена. Литры, строка %1: введите число в диапазоне 0....%2</source>
        <translation>The table was not saved. Litres, row %1: enter a number from 0 to %2</translation>
    </message>
</context>
<context>
    <name>TaringTable</name>
    <message>
        <source>точка %1: уровень %2 вне диапазона 0....%3</source>
        <translation>point %1: level %2 is outside 0 to %3</translation>
    </message>
    <message>
        <source>точка %1: литры %2 вне диапазона 0....%3</source>
        <translation>point %1: %2 litres is outside 0 to %3</translation>
    </message>
    <message>
        <source>точка %1: те же литры (%2), что у точки %3, но другой уровень</source>
        <translation>point %1: the same litres (%2) as point %3 but another level</translation>
    </message>
    <message>
        <source>точка %1: уровень %2 при %3 л ниже уровня %4 у точки %5 при %6 л; отмените её, иначе таблицу не построить</source>
        <translation>point %1: level %2 at %3 litres is below level %4 of point %5 at %6 litres; take it back (undo) or the table cannot be built</translation>
    </message>
    <message>
        <source>для таблицы нужны хотя бы 2 точки с разным уровнем; в сессии таких точек: %1</source>
        <translation>a table needs at least 2 points with different levels; the session has %1</translation>
    </message>
</context>
</TS>
