<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>Trace</name>
    <message>
        <source>Write every frame on the line, each retry and time-out to FILE (replaced), or to standard error for -.</source>
        <translation>Write every frame on the line, each retry and time-out to FILE (replaced), or to standard error for -.</translation>
    </message>
    <message>
        <source>  --trace FILE  every frame sent and received, retries, time-outs and
                dropped input, one a line, to FILE (replaced; - for
                standard error)
</source>
        <translation>  --trace FILE  every frame sent and received, retries, time-outs and
                dropped input, one a line, to FILE (replaced; - for
                standard error)
</translation>
    </message>
    <message>
        <source>--trace: %1 uses no line</source>
        <translation>--trace: %1 uses no line</translation>
    </message>
    <message>
        <source>cannot write the trace file &quot;%1&quot;: %2</source>
        <translation>cannot write the trace file &quot;%1&quot;: %2</translation>
    </message>
</context>
</TS>
