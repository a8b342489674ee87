<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MeterCommands</name>
    <message>
        <source>  --simulate[=METER]  use a simulated meter instead of USB: tq310 (default), tq320,
                      tq320e or legacy
  --sim-records N     comparison records the simulated meter keeps per result kind
                      (default 12)
  --sim-spectra N     spectra the simulated meter keeps (default 8)
  --trace FILE        write every report and frame to and from the meter to FILE

Exit status: 0 success, 1 the meter or a file failed (the message says why),
2 bad usage.
</source>
        <translation>  --simulate[=METER]  use a simulated meter instead of USB: tq310 (default), tq320,
                      tq320e or legacy
  --sim-records N     comparison records the simulated meter keeps per result kind
                      (default 12)
  --sim-spectra N     spectra the simulated meter keeps (default 8)
  --trace FILE        write every report and frame to and from the meter to FILE

Exit status: 0 success, 1 the meter or a file failed (the message says why),
2 bad usage.
</translation>
    </message>
    <message>
        <source>Usage: lumivex-cli info [options]

Prints the meter's serial number, model, device type, firmware version, result kind
and judgement settings.

</source>
        <translation>Usage: lumivex-cli info [options]

Prints the meter's serial number, model, device type, firmware version, result kind
and judgement settings.

</translation>
    </message>
    <message>
        <source>Usage: lumivex-cli measure [options]

Takes the meter's result and prints it as the comparison table's column shows it,
one value per line, then the colour as R, G, B.

</source>
        <translation>Usage: lumivex-cli measure [options]

Takes the meter's result and prints it as the comparison table's column shows it,
one value per line, then the colour as R, G, B.

</translation>
    </message>
    <message>
        <source>Usage: lumivex-cli records [--kind K] -o FILE [options]

Saves the comparison records the meter keeps for one result kind to FILE, with the
columns of the comparison export; .xlsx, .xls or .csv by the name of FILE.

  --kind K            0 haze-t, 1 haze, 2 t, 3 lab, 4 lch, 5 yxy (by number or name);
                      default: the kind the meter is set to
  -o, --output FILE   the file to write
</source>
        <translation>Usage: lumivex-cli records [--kind K] -o FILE [options]

Saves the comparison records the meter keeps for one result kind to FILE, with the
columns of the comparison export; .xlsx, .xls or .csv by the name of FILE.

  --kind K            0 haze-t, 1 haze, 2 t, 3 lab, 4 lch, 5 yxy (by number or name);
                      default: the kind the meter is set to
  -o, --output FILE   the file to write
</translation>
    </message>
    <message>
        <source>Usage: lumivex-cli spectra -o FILE [options]

Saves the spectra the meter keeps to FILE, with the columns of the spectral export;
.xlsx, .xls or .csv by the name of FILE.

  -o, --output FILE   the file to write
</source>
        <translation>Usage: lumivex-cli spectra -o FILE [options]

Saves the spectra the meter keeps to FILE, with the columns of the spectral export;
.xlsx, .xls or .csv by the name of FILE.

  -o, --output FILE   the file to write
</translation>
    </message>
    <message>
        <source>%1 takes a count of 0 or more.
</source>
        <translation>%1 takes a count of 0 or more.
</translation>
    </message>
    <message>
        <source>--trace takes the name of the file to write.
</source>
        <translation>--trace takes the name of the file to write.
</translation>
    </message>
    <message>
        <source>%1 takes the name of an .xlsx, .xls or .csv file.
</source>
        <translation>%1 takes the name of an .xlsx, .xls or .csv file.
</translation>
    </message>
    <message>
        <source>--kind takes a result kind: 0 to 5, or haze-t, haze, t, lab, lch, yxy.
</source>
        <translation>--kind takes a result kind: 0 to 5, or haze-t, haze, t, lab, lch, yxy.
</translation>
    </message>
    <message>
        <source>Unknown option "%1".
</source>
        <translation>Unknown option "%1".
</translation>
    </message>
    <message>
        <source>-o FILE is missing.
</source>
        <translation>-o FILE is missing.
</translation>
    </message>
    <message>
        <source>%1: %2/%3
</source>
        <translation>%1: %2/%3
</translation>
    </message>
    <message>
        <source>Cannot write the trace to %1: %2
</source>
        <translation>Cannot write the trace to %1: %2
</translation>
    </message>
    <message>
        <source>There is no simulated meter "%1"; choose tq310, tq320, tq320e or legacy.
</source>
        <translation>There is no simulated meter "%1"; choose tq310, tq320, tq320e or legacy.
</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Device type</source>
        <translation>Device type</translation>
    </message>
    <message>
        <source>Firmware version</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>Result kind</source>
        <translation>Result kind</translation>
    </message>
    <message>
        <source>Haze tolerance</source>
        <translation>Haze tolerance</translation>
    </message>
    <message>
        <source>Transmittance tolerance</source>
        <translation>Transmittance tolerance</translation>
    </message>
    <message>
        <source>Colour difference formula</source>
        <translation>Colour difference formula</translation>
    </message>
    <message>
        <source>Colour difference threshold</source>
        <translation>Colour difference threshold</translation>
    </message>
    <message>
        <source>%1 records saved to %2
</source>
        <translation>%1 records saved to %2
</translation>
    </message>
    <message>
        <source>The %1 keeps no records of the result kind %2.
</source>
        <translation>The %1 keeps no records of the result kind %2.
</translation>
    </message>
    <message>
        <source>Reading comparison records</source>
        <translation>Reading comparison records</translation>
    </message>
    <message>
        <source>Reading spectra</source>
        <translation>Reading spectra</translation>
    </message>
</context>
<context>
    <name>LumivexCli</name>
    <message>
        <source>The meter's identity, result kind and settings</source>
        <translation>The meter's identity, result kind and settings</translation>
    </message>
    <message>
        <source>Take one result from the meter and print it</source>
        <translation>Take one result from the meter and print it</translation>
    </message>
    <message>
        <source>Save the meter's comparison records of one result kind</source>
        <translation>Save the meter's comparison records of one result kind</translation>
    </message>
    <message>
        <source>Save the spectra the meter keeps</source>
        <translation>Save the spectra the meter keeps</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
</context>
<context>
    <name>MeterPageFor310</name>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warn</source>
        <translation>Warn</translation>
    </message>
    <message>
        <source>Device already opened!</source>
        <translation>Device already opened!</translation>
    </message>
</context>
<context>
    <name>Colorimeter</name>
    <message>
        <source>△E*ab</source>
        <translation>△E*ab</translation>
    </message>
    <message>
        <source>△E*uv</source>
        <translation>△E*uv</translation>
    </message>
    <message>
        <source>△E*94</source>
        <translation>△E*94</translation>
    </message>
    <message>
        <source>△E*cmc(2:1)</source>
        <translation>△E*cmc(2:1)</translation>
    </message>
    <message>
        <source>△E*cmc(1:1)</source>
        <translation>△E*cmc(1:1)</translation>
    </message>
    <message>
        <source>△E*00</source>
        <translation>△E*00</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>PASS</source>
        <translation>PASS</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>NG</translation>
    </message>
    <message>
        <source>More black</source>
        <translation>More black</translation>
    </message>
    <message>
        <source>Slight black</source>
        <translation>Slight black</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Slight white</source>
        <translation>Slight white</translation>
    </message>
    <message>
        <source>More white</source>
        <translation>More white</translation>
    </message>
    <message>
        <source>More green</source>
        <translation>More green</translation>
    </message>
    <message>
        <source>Slight green</source>
        <translation>Slight green</translation>
    </message>
    <message>
        <source>Slight red</source>
        <translation>Slight red</translation>
    </message>
    <message>
        <source>More red</source>
        <translation>More red</translation>
    </message>
    <message>
        <source>More Blue</source>
        <translation>More Blue</translation>
    </message>
    <message>
        <source>Slight blue</source>
        <translation>Slight blue</translation>
    </message>
    <message>
        <source>Slight yellow</source>
        <translation>Slight yellow</translation>
    </message>
    <message>
        <source>More yellow</source>
        <translation>More yellow</translation>
    </message>
</context>
<context>
    <name>LumivexCli</name>
    <message>
        <source>Colour difference of L*a*b* pairs, one per line</source>
        <translation>Colour difference of L*a*b* pairs, one per line</translation>
    </message>
    <message>
        <source>Usage: lumivex-cli &lt;command&gt; [options]

Commands:
%1
Run "lumivex-cli &lt;command&gt; --help" for the options of a command.
</source>
        <translation>Usage: lumivex-cli &lt;command&gt; [options]

Commands:
%1
Run "lumivex-cli &lt;command&gt; --help" for the options of a command.
</translation>
    </message>
    <message>
        <source>Unknown command "%1".
</source>
        <translation>Unknown command "%1".
</translation>
    </message>
</context>
<context>
    <name>DeltaECommand</name>
    <message>
        <source>Usage: lumivex-cli delta-e [--formula N] [FILE]

Reads lines of six numbers "L1,a1,b1,L2,a2,b2" (standard, then sample) separated by
commas, semicolons, tabs or spaces from FILE, or from standard input when FILE is
missing or "-", and prints one colour difference per line with 4 decimals.
Blank lines and text after "#" are skipped.

  --formula N   %1 (default 5)

Exit status: 0 success, 1 input cannot be read, 2 bad usage or a malformed line.
</source>
        <translation>Usage: lumivex-cli delta-e [--formula N] [FILE]

Reads lines of six numbers "L1,a1,b1,L2,a2,b2" (standard, then sample) separated by
commas, semicolons, tabs or spaces from FILE, or from standard input when FILE is
missing or "-", and prints one colour difference per line with 4 decimals.
Blank lines and text after "#" are skipped.

  --formula N   %1 (default 5)

Exit status: 0 success, 1 input cannot be read, 2 bad usage or a malformed line.
</translation>
    </message>
    <message>
        <source>--formula takes a number from 0 to 5, not "%1".
</source>
        <translation>--formula takes a number from 0 to 5, not "%1".
</translation>
    </message>
    <message>
        <source>Unknown option "%1".
</source>
        <translation>Unknown option "%1".
</translation>
    </message>
    <message>
        <source>Only one input file can be given.
</source>
        <translation>Only one input file can be given.
</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>Cannot read "%1": %2
</source>
        <translation>Cannot read "%1": %2
</translation>
    </message>
    <message>
        <source>Line %1: expected six numbers L1,a1,b1,L2,a2,b2, found "%2".
</source>
        <translation>Line %1: expected six numbers L1,a1,b1,L2,a2,b2, found "%2".
</translation>
    </message>
</context>
<context>
    <name>ReportPageFor310</name>
    <message>
        <source>Report</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Test Report</source>
        <translation>Test Report</translation>
    </message>
    <message>
        <source>Device: </source>
        <translation>Device: </translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>SN:</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>Company:</translation>
    </message>
    <message>
        <source>Sample Name:</source>
        <translation>Sample Name:</translation>
    </message>
    <message>
        <source>Haze Tolerance:</source>
        <translation>Haze Tolerance:</translation>
    </message>
    <message>
        <source>Transmittance Tolerance:</source>
        <translation>Transmittance Tolerance:</translation>
    </message>
    <message>
        <source>Test Time:</source>
        <translation>Test Time:</translation>
    </message>
    <message>
        <source>Thresholds:</source>
        <translation>Thresholds:</translation>
    </message>
    <message>
        <source>formula:</source>
        <translation>formula:</translation>
    </message>
    <message>
        <source>Test Data</source>
        <translation>Test Data</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Haze</source>
        <translation>Haze</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>L*</source>
        <translation>L*</translation>
    </message>
    <message>
        <source>a*</source>
        <translation>a*</translation>
    </message>
    <message>
        <source>b*</source>
        <translation>b*</translation>
    </message>
    <message>
        <source>C*</source>
        <translation>C*</translation>
    </message>
    <message>
        <source>h</source>
        <translation>h</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>y</source>
        <translation>y</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source> Tester:</source>
        <translation> Tester:</translation>
    </message>
    <message>
        <source> Auditor:</source>
        <translation> Auditor:</translation>
    </message>
</context>
<context>
    <name>InformationPageFor310</name>
    <message>
        <source>Report</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>information</source>
        <translation>information</translation>
    </message>
    <message>
        <source>Tester:</source>
        <translation>Tester:</translation>
    </message>
    <message>
        <source>Test Time:</source>
        <translation>Test Time:</translation>
    </message>
    <message>
        <source>Auditor:</source>
        <translation>Auditor:</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>SN:</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>Company:</translation>
    </message>
    <message>
        <source>Sample Name:</source>
        <translation>Sample Name:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Colorimeter</name>
    <message>
        <source>△E </source>
        <translation>△E </translation>
    </message>
    <message>
        <source>△</source>
        <translation>△</translation>
    </message>
    <message>
        <source>△E</source>
        <translation>△E</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>Comparison measurement</source>
        <translation>Comparison measurement</translation>
    </message>
    <message>
        <source>Device information</source>
        <translation>Device information</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>SN:</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>Firmware version:</translation>
    </message>
    <message>
        <source>Display parameter</source>
        <translation>Display parameter</translation>
    </message>
    <message>
        <source>Haze and transmittance</source>
        <translation>Haze and transmittance</translation>
    </message>
    <message>
        <source>Haze</source>
        <translation>Haze</translation>
    </message>
    <message>
        <source>Transmittance</source>
        <translation>Transmittance</translation>
    </message>
    <message>
        <source>L*a*b*</source>
        <translation>L*a*b*</translation>
    </message>
    <message>
        <source>L*C*h</source>
        <translation>L*C*h</translation>
    </message>
    <message>
        <source>Yxy</source>
        <translation>Yxy</translation>
    </message>
    <message>
        <source>Set display parameter</source>
        <translation>Set display parameter</translation>
    </message>
    <message>
        <source>Tolerance</source>
        <translation>Tolerance</translation>
    </message>
    <message>
        <source>Haze tolerance:</source>
        <translation>Haze tolerance:</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Transmittance tolerance:</source>
        <translation>Transmittance tolerance:</translation>
    </message>
    <message>
        <source>△E thresholds:</source>
        <translation>△E thresholds:</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>△E parameter</source>
        <translation>△E parameter</translation>
    </message>
    <message>
        <source>△E formula:</source>
        <translation>△E formula:</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Unqualified</source>
        <translation>Unqualified</translation>
    </message>
    <message>
        <source>Qualified</source>
        <translation>Qualified</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Standard measurement</source>
        <translation>Standard measurement</translation>
    </message>
    <message>
        <source>Sample measurement</source>
        <translation>Sample measurement</translation>
    </message>
    <message>
        <source>Read comparison records</source>
        <translation>Read comparison records</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Export Excel</source>
        <translation>Export Excel</translation>
    </message>
    <message>
        <source>Spectral transmittance</source>
        <translation>Spectral transmittance</translation>
    </message>
    <message>
        <source>Spectral reflectance</source>
        <translation>Spectral reflectance</translation>
    </message>
    <message>
        <source>Write standard colours</source>
        <translation>Write standard colours</translation>
    </message>
    <message>
        <source>UnKnow</source>
        <translation>UnKnow</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>L*</source>
        <translation>L*</translation>
    </message>
    <message>
        <source>a*</source>
        <translation>a*</translation>
    </message>
    <message>
        <source>b*</source>
        <translation>b*</translation>
    </message>
    <message>
        <source>C*</source>
        <translation>C*</translation>
    </message>
    <message>
        <source>h</source>
        <translation>h</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>y</source>
        <translation>y</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>Test Name</source>
        <translation>Test Name</translation>
    </message>
    <message>
        <source>DateTime</source>
        <translation>DateTime</translation>
    </message>
    <message>
        <source>Pass or not</source>
        <translation>Pass or not</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>±</source>
        <translation>±</translation>
    </message>
</context>
<context>
    <name>Colorimeter</name>
    <message>
        <source>△Haze</source>
        <translation>△Haze</translation>
    </message>
    <message>
        <source>△Transmittance</source>
        <translation>△Transmittance</translation>
    </message>
</context>
<context>
    <name>CDeviceCommands</name>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>读取软件版本写端口失败！</source>
        <translation>读取软件版本写端口失败！</translation>
    </message>
    <message>
        <source>读取软件版本接收端口报文失败！</source>
        <translation>读取软件版本接收端口报文失败！</translation>
    </message>
    <message>
        <source>读取软件版本接收的报文格式错误！</source>
        <translation>读取软件版本接收的报文格式错误！</translation>
    </message>
</context>
<context>
    <name>MeterPageFor310</name>
    <message>
        <source>Spectra</source>
        <translation>Spectra</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>Spectral history</source>
        <translation>Spectral history</translation>
    </message>
    <message>
        <source>Spectral measurement</source>
        <translation>Spectral measurement</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Export Excel</source>
        <translation>Export Excel</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Curve</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Wavelength(nm)</source>
        <translation>Wavelength(nm)</translation>
    </message>
    <message>
        <source>Transmittance(%)</source>
        <translation>Transmittance(%)</translation>
    </message>
    <message>
        <source>Reflectance(%)</source>
        <translation>Reflectance(%)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Measurement exceeds the maximum quantity, please save the excel file before measuring!</source>
        <translation>Measurement exceeds the maximum quantity, please save the excel file before measuring!</translation>
    </message>
    <message>
        <source>Failed to read data information!</source>
        <translation>Failed to read data information!</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>Please connect the device first!</translation>
    </message>
    <message>
        <source>Colorimeter</source>
        <translation>Colorimeter</translation>
    </message>
    <message>
        <source>Data import willempty the list, to save data first?</source>
        <translation>Data import willempty the list, to save data first?</translation>
    </message>
    <message>
        <source>Spectral history data error, unable to export!</source>
        <translation>Spectral history data error, unable to export!</translation>
    </message>
    <message>
        <source>Failed to read the number of spectral records!</source>
        <translation>Failed to read the number of spectral records!</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>No spectral history!</source>
        <translation>No spectral history!</translation>
    </message>
    <message>
        <source>The instrument reports %1 spectral records, more than its memory holds (%2); nothing was read.</source>
        <translation>The instrument reports %1 spectral records, more than its memory holds (%2); nothing was read.</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>Storing data,please wait...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>cancel</translation>
    </message>
    <message>
        <source>Reading spectral recording data failed!</source>
        <translation>Reading spectral recording data failed!</translation>
    </message>
    <message>
        <source>Failed to read spectral record name data!</source>
        <translation>Failed to read spectral record name data!</translation>
    </message>
    <message>
        <source>Download cancelled; nothing was added.</source>
        <translation>Download cancelled; nothing was added.</translation>
    </message>
    <message>
        <source>No data for Storing to Excel!</source>
        <translation>No data for Storing to Excel!</translation>
    </message>
    <message>
        <source>Storing data to Excel</source>
        <translation>Storing data to Excel</translation>
    </message>
    <message>
        <source>excel file (*.xls)</source>
        <translation>excel file (*.xls)</translation>
    </message>
    <message>
        <source>excel file (*.xlsx)</source>
        <translation>excel file (*.xlsx)</translation>
    </message>
    <message>
        <source>Can&apos;t overwrite this file, maybe the file is in use!</source>
        <translation>Can&apos;t overwrite this file, maybe the file is in use!</translation>
    </message>
    <message>
        <source>Failed to store data, can&apos;t open file!</source>
        <translation>Failed to store data, can&apos;t open file!</translation>
    </message>
    <message>
        <source>Failed to export data to excel file</source>
        <translation>Failed to export data to excel file</translation>
    </message>
    <message>
        <source>Storing data</source>
        <translation>Storing data</translation>
    </message>
    <message>
        <source>Data stored to file Success</source>
        <translation>Data stored to file Success</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>WorkbookExport</name>
    <message>
        <source>The saved file could not be read back completely; the old file and the data were kept.</source>
        <translation>The saved file could not be read back completely; the old file and the data were kept.</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>Warn</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>information</source>
        <translation>information</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>Please connect the device first!</translation>
    </message>
    <message>
        <source>Failed to read device information!</source>
        <translation>Failed to read device information!</translation>
    </message>
    <message>
        <source>Read key infomation fail!</source>
        <translation>Read key infomation fail!</translation>
    </message>
    <message>
        <source>Failed to read software version number!</source>
        <translation>Failed to read software version number!</translation>
    </message>
    <message>
        <source>Failed to read DisplayParam!</source>
        <translation>Failed to read DisplayParam!</translation>
    </message>
    <message>
        <source>Failed to Read Tolerance information!</source>
        <translation>Failed to Read Tolerance information!</translation>
    </message>
    <message>
        <source>Read successful!</source>
        <translation>Read successful!</translation>
    </message>
    <message>
        <source>Haze Tolerance must between 0-100!</source>
        <translation>Haze Tolerance must between 0-100!</translation>
    </message>
    <message>
        <source>Transmittance  Tolerance must between 0-100!</source>
        <translation>Transmittance  Tolerance must between 0-100!</translation>
    </message>
    <message>
        <source>Thresholds must between 0.1-50!</source>
        <translation>Thresholds must between 0.1-50!</translation>
    </message>
    <message>
        <source>Failed to Setup  Tolerance information!</source>
        <translation>Failed to Setup  Tolerance information!</translation>
    </message>
    <message>
        <source>Setup successfully!</source>
        <translation>Setup successfully!</translation>
    </message>
    <message>
        <source>Failed to read △E parameter information!</source>
        <translation>Failed to read △E parameter information!</translation>
    </message>
    <message>
        <source>The comparison measurement record list data will be cleared. Do you want to continue saving the parameter settings?</source>
        <translation>The comparison measurement record list data will be cleared. Do you want to continue saving the parameter settings?</translation>
    </message>
    <message>
        <source>Failed to Setup  DisplayParam information!</source>
        <translation>Failed to Setup  DisplayParam information!</translation>
    </message>
    <message>
        <source>Failed to read measurement data!</source>
        <translation>Failed to read measurement data!</translation>
    </message>
</context>
<context>
    <name>setEParameterPageFor320</name>
    <message>
        <source>△E parameter Setting</source>
        <translation>△E parameter Setting</translation>
    </message>
    <message>
        <source>△E formula:</source>
        <translation>△E formula:</translation>
    </message>
    <message>
        <source>△E Thresholds:</source>
        <translation>△E Thresholds:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>Please connect the device first!</translation>
    </message>
    <message>
        <source>information</source>
        <translation>information</translation>
    </message>
    <message>
        <source>Thresholds must between 0.1—50!</source>
        <translation>Thresholds must between 0.1—50!</translation>
    </message>
    <message>
        <source>Failed to write △E parameter information!</source>
        <translation>Failed to write △E parameter information!</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>阀值必须介于0.1-50之间！</source>
        <translation>阀值必须介于0.1-50之间！</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>写入△E参数信息失败！</source>
        <translation>写入△E参数信息失败！</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>Select one Excel files to open</source>
        <translation>Select one Excel files to open</translation>
    </message>
    <message>
        <source>excel file (*.xlsx)</source>
        <translation>excel file (*.xlsx)</translation>
    </message>
    <message>
        <source>File error, unable to write!</source>
        <translation>File error, unable to write!</translation>
    </message>
    <message>
        <source>Can&apos;t open file!</source>
        <translation>Can&apos;t open file!</translation>
    </message>
    <message>
        <source>Failed to read excel file!</source>
        <translation>Failed to read excel file!</translation>
    </message>
    <message>
        <source>The written contents do not match and cannot be written!</source>
        <translation>The written contents do not match and cannot be written!</translation>
    </message>
    <message>
        <source>Failed to write the total number of standard color cards!</source>
        <translation>Failed to write the total number of standard color cards!</translation>
    </message>
    <message>
        <source>Failed to write standard color card information!</source>
        <translation>Failed to write standard color card information!</translation>
    </message>
    <message>
        <source>Error in Excel file with not enough rows of standard color cards!</source>
        <translation>Error in Excel file with not enough rows of standard color cards!</translation>
    </message>
    <message>
        <source>The name in row %1 of the Excel file is too long to be written!</source>
        <translation>The name in row %1 of the Excel file is too long to be written!</translation>
    </message>
    <message>
        <source>Failed to write the total number of standard color cards! The checksum in row %1 is wrong.</source>
        <translation>Failed to write the total number of standard color cards! The checksum in row %1 is wrong.</translation>
    </message>
    <message>
        <source>Failed to write standard color card information! The checksum in row %1 is wrong.</source>
        <translation>Failed to write standard color card information! The checksum in row %1 is wrong.</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>Storing data,please wait...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>cancel</translation>
    </message>
    <message>
        <source>Failed to write standard color card data!</source>
        <translation>Failed to write standard color card data!</translation>
    </message>
    <message>
        <source>Failed to write!</source>
        <translation>Failed to write!</translation>
    </message>
    <message>
        <source>Failed to write empty packet!</source>
        <translation>Failed to write empty packet!</translation>
    </message>
    <message>
        <source>Write to standard color card library successfully!</source>
        <translation>Write to standard color card library successfully!</translation>
    </message>
</context>
<context>
    <name>Workbook</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>Cannot save %1: %2</translation>
    </message>
    <message>
        <source>it is neither an .xls nor an .xlsx workbook</source>
        <translation>it is neither an .xls nor an .xlsx workbook</translation>
    </message>
    <message>
        <source>the workbook is damaged (%1)</source>
        <translation>the workbook is damaged (%1)</translation>
    </message>
    <message>
        <source>the workbook is password-protected</source>
        <translation>the workbook is password-protected</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>the workbook is too large to read</source>
        <translation>the workbook is too large to read</translation>
    </message>
    <message>
        <source>the workbook takes too long to read</source>
        <translation>the workbook takes too long to read</translation>
    </message>
    <message>
        <source>sheet "%1" is larger than %2 cells</source>
        <translation>sheet "%1" is larger than %2 cells</translation>
    </message>
    <message>
        <source>row %1, column %2 lies beyond the %3 rows and %4 columns this format holds</source>
        <translation>row %1, column %2 lies beyond the %3 rows and %4 columns this format holds</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>the spreadsheet writer failed (%1)</source>
        <translation>the spreadsheet writer failed (%1)</translation>
    </message>
</context>
<context>
    <name>ExcelEngine</name>
    <message>
        <source>./template.xls</source>
        <translation>./template.xls</translation>
    </message>
    <message>
        <source>No workbook file name was given.</source>
        <translation>No workbook file name was given.</translation>
    </message>
    <message>
        <source>Cannot create %1.</source>
        <translation>Cannot create %1.</translation>
    </message>
    <message>
        <source>%1 has no sheet %2.</source>
        <translation>%1 has no sheet %2.</translation>
    </message>
    <message>
        <source>The workbook is not open.</source>
        <translation>The workbook is not open.</translation>
    </message>
    <message>
        <source>Row %1, column %2 lies outside the sheet.</source>
        <translation>Row %1, column %2 lies outside the sheet.</translation>
    </message>
    <message>
        <source>Row %1, column %2 cannot hold this value.</source>
        <translation>Row %1, column %2 cannot hold this value.</translation>
    </message>
</context>
<context>
    <name>MeterTable</name>
    <message>
        <source>UnKnow</source>
        <translation>UnKnow</translation>
    </message>
    <message>
        <source>Error：</source>
        <translation>Error：</translation>
    </message>
    <message>
        <source>Can't open file！</source>
        <translation>Can't open file！</translation>
    </message>
    <message>
        <source>Failed to read excel file！</source>
        <translation>Failed to read excel file！</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Read MeterNo Fail!</source>
        <translation>Read MeterNo Fail!</translation>
    </message>
</context>
<context>
    <name>SheetCommand</name>
    <message>
        <source>--to takes the name of the workbook to write.
</source>
        <translation>--to takes the name of the workbook to write.
</translation>
    </message>
    <message>
        <source>Unknown option "%1".
</source>
        <translation>Unknown option "%1".
</translation>
    </message>
    <message>
        <source>Only one workbook can be given.
</source>
        <translation>Only one workbook can be given.
</translation>
    </message>
    <message>
        <source>Usage: lumivex-cli sheet [--to OUT] FILE

Prints the used range of sheet 1 of the workbook FILE (.xls or .xlsx) as lines of
tab-separated cells: numbers in their shortest exact form, date-times as ISO 8601,
texts as they are (tab, line break and backslash escaped as \t, \n and \\).

  --to OUT   write the whole workbook to OUT instead: .xlsx when OUT ends in .xlsx,
             else .xls

Exit status: 0 success, 2 bad usage or a workbook that cannot be read or written.
</source>
        <translation>Usage: lumivex-cli sheet [--to OUT] FILE

Prints the used range of sheet 1 of the workbook FILE (.xls or .xlsx) as lines of
tab-separated cells: numbers in their shortest exact form, date-times as ISO 8601,
texts as they are (tab, line break and backslash escaped as \t, \n and \\).

  --to OUT   write the whole workbook to OUT instead: .xlsx when OUT ends in .xlsx,
             else .xls

Exit status: 0 success, 2 bad usage or a workbook that cannot be read or written.
</translation>
    </message>
</context>
<context>
    <name>LumivexCli</name>
    <message>
        <source>Print sheet 1 of a workbook, or convert between .xls and .xlsx</source>
        <translation>Print sheet 1 of a workbook, or convert between .xls and .xlsx</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>SN</source>
        <translation>SN</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Standard Haze</source>
        <translation>Standard Haze</translation>
    </message>
    <message>
        <source>Standard Transmittance</source>
        <translation>Standard Transmittance</translation>
    </message>
    <message>
        <source>Sample Haze</source>
        <translation>Sample Haze</translation>
    </message>
    <message>
        <source>Sample Transmittance</source>
        <translation>Sample Transmittance</translation>
    </message>
    <message>
        <source>Haze Tolerance</source>
        <translation>Haze Tolerance</translation>
    </message>
    <message>
        <source>Transmittance Tolerance</source>
        <translation>Transmittance Tolerance</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Standard L*</source>
        <translation>Standard L*</translation>
    </message>
    <message>
        <source>Standard a*</source>
        <translation>Standard a*</translation>
    </message>
    <message>
        <source>Standard b*</source>
        <translation>Standard b*</translation>
    </message>
    <message>
        <source>Sample L*</source>
        <translation>Sample L*</translation>
    </message>
    <message>
        <source>Sample a*</source>
        <translation>Sample a*</translation>
    </message>
    <message>
        <source>Sample b*</source>
        <translation>Sample b*</translation>
    </message>
    <message>
        <source>Standard C*</source>
        <translation>Standard C*</translation>
    </message>
    <message>
        <source>Standard h</source>
        <translation>Standard h</translation>
    </message>
    <message>
        <source>Sample C*</source>
        <translation>Sample C*</translation>
    </message>
    <message>
        <source>Sample h</source>
        <translation>Sample h</translation>
    </message>
    <message>
        <source>Standard Y</source>
        <translation>Standard Y</translation>
    </message>
    <message>
        <source>Standard x</source>
        <translation>Standard x</translation>
    </message>
    <message>
        <source>Standard y</source>
        <translation>Standard y</translation>
    </message>
    <message>
        <source>Sample Y</source>
        <translation>Sample Y</translation>
    </message>
    <message>
        <source>Sample x</source>
        <translation>Sample x</translation>
    </message>
    <message>
        <source>Sample y</source>
        <translation>Sample y</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>No data for Storing to Excel!</source>
        <translation>No data for Storing to Excel!</translation>
    </message>
    <message>
        <source>Storing data to Excel</source>
        <translation>Storing data to Excel</translation>
    </message>
    <message>
        <source>excel file (*.xls)</source>
        <translation>excel file (*.xls)</translation>
    </message>
    <message>
        <source>Can&apos;t overwrite this file, maybe the file is in use!</source>
        <translation>Can&apos;t overwrite this file, maybe the file is in use!</translation>
    </message>
    <message>
        <source>Failed to store data, can&apos;t open file!</source>
        <translation>Failed to store data, can&apos;t open file!</translation>
    </message>
    <message>
        <source>Failed to export data to excel file</source>
        <translation>Failed to export data to excel file</translation>
    </message>
    <message>
        <source>Storing data</source>
        <translation>Storing data</translation>
    </message>
    <message>
        <source>Data stored to file Success</source>
        <translation>Data stored to file Success</translation>
    </message>
    <message>
        <source>Colorimeter</source>
        <translation>Colorimeter</translation>
    </message>
    <message>
        <source>Data import willempty the list, to save data first?</source>
        <translation>Data import willempty the list, to save data first?</translation>
    </message>
    <message>
        <source>excel file (*.xls *.xlsx)</source>
        <translation>excel file (*.xls *.xlsx)</translation>
    </message>
    <message>
        <source>Error：</source>
        <translation>Error：</translation>
    </message>
    <message>
        <source>Can&apos;t open file！</source>
        <translation>Can&apos;t open file！</translation>
    </message>
    <message>
        <source>Failed to read excel file！</source>
        <translation>Failed to read excel file！</translation>
    </message>
    <message>
        <source>The import file is not an export file of this software!</source>
        <translation>The import file is not an export file of this software!</translation>
    </message>
    <message>
        <source>The import file is not an export file of this software! (row %1)</source>
        <translation>The import file is not an export file of this software! (row %1)</translation>
    </message>
    <message>
        <source>Failed to read excel file！ (row %1)</source>
        <translation>Failed to read excel file！ (row %1)</translation>
    </message>
    <message>
        <source>difference history data error, unable to export!</source>
        <translation>difference history data error, unable to export!</translation>
    </message>
    <message>
        <source>Failed to read the number of color difference records!</source>
        <translation>Failed to read the number of color difference records!</translation>
    </message>
    <message>
        <source>Reading difference recording lab data failed!</source>
        <translation>Reading difference recording lab data failed!</translation>
    </message>
    <message>
        <source>Failed to read color difference record name data!</source>
        <translation>Failed to read color difference record name data!</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>No comparison record!</source>
        <translation>No comparison record!</translation>
    </message>
    <message>
        <source>Download cancelled; nothing was added.</source>
        <translation>Download cancelled; nothing was added.</translation>
    </message>
    <message>
        <source>Choose one display parameter before reading the comparison records.</source>
        <translation>Choose one display parameter before reading the comparison records.</translation>
    </message>
    <message>
        <source>The instrument reports %1 comparison records, more than its memory holds (%2); nothing was read.</source>
        <translation>The instrument reports %1 comparison records, more than its memory holds (%2); nothing was read.</translation>
    </message>
    <message>
        <source>Import Excel</source>
        <translation>Import Excel</translation>
    </message>
</context>
<context>
    <name>Colorimeter</name>
    <message>
        <source>△E Thresholds</source>
        <translation>△E Thresholds</translation>
    </message>
</context>
<context>
    <name>UnsavedQuestion</name>
    <message>
        <source>Restore records</source>
        <translation>Restore records</translation>
    </message>
    <message>
        <source>The last session ended with %1 records that were never exported (last change %2). Restore them?</source>
        <translation>The last session ended with %1 records that were never exported (last change %2). Restore them?</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Unsaved records</source>
        <translation>Unsaved records</translation>
    </message>
    <message>
        <source>%1 records in the list were never exported. Save them before closing?</source>
        <translation>%1 records in the list were never exported. Save them before closing?</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>%1 records in the list were never exported. Clear them anyway?</source>
        <translation>%1 records in the list were never exported. Clear them anyway?</translation>
    </message>
</context>
<context>
    <name>SessionJournal</name>
    <message>
        <source>unknown contents</source>
        <translation>unknown contents</translation>
    </message>
    <message>
        <source>Session journal</source>
        <translation>Session journal</translation>
    </message>
    <message>
        <source>The session journal could not be read (%1). It was set aside as %2 and a new one started.</source>
        <translation>The session journal could not be read (%1). It was set aside as %2 and a new one started.</translation>
    </message>
    <message>
        <source>Records are not being kept for recovery after a crash.</source>
        <translation>Records are not being kept for recovery after a crash.</translation>
    </message>
    <message>
        <source>Records are not being kept for recovery after a crash: %1</source>
        <translation>Records are not being kept for recovery after a crash: %1</translation>
    </message>
</context>
<context>
    <name>LumivexCli</name>
    <message>
        <source>Translation: %1</source>
        <translation>Translation: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Meter table: %1, %2 meters</source>
        <translation>Meter table: %1, %2 meters</translation>
    </message>
    <message>
        <source>Meter table: %1: %2</source>
        <translation>Meter table: %1: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The meter is plugged in, but this user may not open it: its udev rule is missing.
Install the rule once and plug the meter in again:

sudo cp %1 /etc/udev/rules.d/
sudo udevadm control --reload-rules</source>
        <translation>The meter is plugged in, but this user may not open it: its udev rule is missing.
Install the rule once and plug the meter in again:

sudo cp %1 /etc/udev/rules.d/
sudo udevadm control --reload-rules</translation>
    </message>
</context>
<context>
    <name>BatchStatistics</name>
    <message>
        <source>△L*</source>
        <translation>△L*</translation>
    </message>
    <message>
        <source>△a*</source>
        <translation>△a*</translation>
    </message>
    <message>
        <source>△b*</source>
        <translation>△b*</translation>
    </message>
    <message>
        <source>△C*</source>
        <translation>△C*</translation>
    </message>
    <message>
        <source>△h</source>
        <translation>△h</translation>
    </message>
    <message>
        <source>△Y</source>
        <translation>△Y</translation>
    </message>
    <message>
        <source>△x</source>
        <translation>△x</translation>
    </message>
    <message>
        <source>△y</source>
        <translation>△y</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Std. dev. (n-1)</source>
        <translation>Std. dev. (n-1)</translation>
    </message>
    <message>
        <source>Minimum (record)</source>
        <translation>Minimum (record)</translation>
    </message>
    <message>
        <source>Maximum (record)</source>
        <translation>Maximum (record)</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
</context>
<context>
    <name>BatchReport</name>
    <message>
        <source>Batch Report</source>
        <translation>Batch Report</translation>
    </message>
    <message>
        <source>Printed:</source>
        <translation>Printed:</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Records: %1</source>
        <translation>Records: %1</translation>
    </message>
    <message>
        <source>PASS: %1</source>
        <translation>PASS: %1</translation>
    </message>
    <message>
        <source>NG: %1</source>
        <translation>NG: %1</translation>
    </message>
    <message>
        <source>Pass rate: %1%</source>
        <translation>Pass rate: %1%</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Failed to write the PDF file %1!</source>
        <translation>Failed to write the PDF file %1!</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>PDF file</source>
        <translation>PDF file</translation>
    </message>
    <message>
        <source>The report was saved to %1.</source>
        <translation>The report was saved to %1.</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>NG</translation>
    </message>
</context>
<context>
    <name>TrendChartView</name>
    <message>
        <source>Record %1</source>
        <translation>Record %1</translation>
    </message>
</context>
<context>
    <name>BatchPanel</name>
    <message>
        <source>Records: %1    PASS: %2    NG: %3    Pass rate: %4%</source>
        <translation>Records: %1    PASS: %2    NG: %3    Pass rate: %4%</translation>
    </message>
    <message>
        <source>Batch statistics</source>
        <translation>Batch statistics</translation>
    </message>
    <message>
        <source>Selected records only</source>
        <translation>Selected records only</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Standard deviation of a sample: divided by n-1 records</source>
        <translation>Standard deviation of a sample: divided by n-1 records</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>Batch statistics</source>
        <translation>Batch statistics</translation>
    </message>
    <message>
        <source>Report all</source>
        <translation>Report all</translation>
    </message>
    <message>
        <source>Save the batch report</source>
        <translation>Save the batch report</translation>
    </message>
    <message>
        <source>PDF file (*.pdf)</source>
        <translation>PDF file (*.pdf)</translation>
    </message>
</context>
<context>
    <name>ReportPageFor310</name>
    <message>
        <source>Save as PDF</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>PDF file (*.pdf)</source>
        <translation>PDF file (*.pdf)</translation>
    </message>
</context>
</TS>
