<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
        <translation>  --simulate[=METER]  用模拟仪器代替 USB 仪器：tq310（默认）、tq320、
                      tq320e 或 legacy
  --sim-records N     模拟仪器每种结果类型保存的对比记录条数
                      （默认 12）
  --sim-spectra N     模拟仪器保存的光谱条数（默认 8）
  --trace FILE        把与仪器往来的每个报告和帧写入 FILE

退出状态：0 成功，1 仪器或文件出错（消息说明原因），
2 用法错误。
</translation>
    </message>
    <message>
        <source>Usage: lumivex-cli info [options]

Prints the meter's serial number, model, device type, firmware version, result kind
and judgement settings.

</source>
        <translation>用法：lumivex-cli info [选项]

打印仪器的序列号、型号、设备类型、固件版本、结果类型
和判定设置。

</translation>
    </message>
    <message>
        <source>Usage: lumivex-cli measure [options]

Takes the meter's result and prints it as the comparison table's column shows it,
one value per line, then the colour as R, G, B.

</source>
        <translation>用法：lumivex-cli measure [选项]

读取仪器的测量结果，按对比表中该列的显示方式打印，
每行一个值，最后以 R, G, B 打印颜色。

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
        <translation>用法：lumivex-cli records [--kind K] -o FILE [选项]

把仪器为某一种结果类型保存的对比记录存入 FILE，列与对比导出相同；
按 FILE 的名称存为 .xlsx、.xls 或 .csv。

  --kind K            0 haze-t、1 haze、2 t、3 lab、4 lch、5 yxy（数字或名称）；
                      默认：仪器当前设置的类型
  -o, --output FILE   要写入的文件
</translation>
    </message>
    <message>
        <source>Usage: lumivex-cli spectra -o FILE [options]

Saves the spectra the meter keeps to FILE, with the columns of the spectral export;
.xlsx, .xls or .csv by the name of FILE.

  -o, --output FILE   the file to write
</source>
        <translation>用法：lumivex-cli spectra -o FILE [选项]

把仪器保存的光谱存入 FILE，列与光谱导出相同；
按 FILE 的名称存为 .xlsx、.xls 或 .csv。

  -o, --output FILE   要写入的文件
</translation>
    </message>
    <message>
        <source>%1 takes a count of 0 or more.
</source>
        <translation>%1 需要一个不小于 0 的数目。
</translation>
    </message>
    <message>
        <source>--trace takes the name of the file to write.
</source>
        <translation>--trace 需要给出要写入的文件名。
</translation>
    </message>
    <message>
        <source>%1 takes the name of an .xlsx, .xls or .csv file.
</source>
        <translation>%1 需要给出一个 .xlsx、.xls 或 .csv 文件名。
</translation>
    </message>
    <message>
        <source>--kind takes a result kind: 0 to 5, or haze-t, haze, t, lab, lch, yxy.
</source>
        <translation>--kind 需要一种结果类型：0 到 5，或 haze-t、haze、t、lab、lch、yxy。
</translation>
    </message>
    <message>
        <source>Unknown option "%1".
</source>
        <translation>未知选项“%1”。
</translation>
    </message>
    <message>
        <source>-o FILE is missing.
</source>
        <translation>缺少 -o FILE。
</translation>
    </message>
    <message>
        <source>%1: %2/%3
</source>
        <translation>%1：%2/%3
</translation>
    </message>
    <message>
        <source>Cannot write the trace to %1: %2
</source>
        <translation>无法把跟踪写入 %1：%2
</translation>
    </message>
    <message>
        <source>There is no simulated meter "%1"; choose tq310, tq320, tq320e or legacy.
</source>
        <translation>没有模拟仪器“%1”；请选择 tq310、tq320、tq320e 或 legacy。
</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Device type</source>
        <translation>设备类型</translation>
    </message>
    <message>
        <source>Firmware version</source>
        <translation>固件版本</translation>
    </message>
    <message>
        <source>Result kind</source>
        <translation>结果类型</translation>
    </message>
    <message>
        <source>Haze tolerance</source>
        <translation>雾度容差</translation>
    </message>
    <message>
        <source>Transmittance tolerance</source>
        <translation>透光率容差</translation>
    </message>
    <message>
        <source>Colour difference formula</source>
        <translation>色差公式</translation>
    </message>
    <message>
        <source>Colour difference threshold</source>
        <translation>色差阈值</translation>
    </message>
    <message>
        <source>%1 records saved to %2
</source>
        <translation>已保存 %1 条记录到 %2
</translation>
    </message>
    <message>
        <source>The %1 keeps no records of the result kind %2.
</source>
        <translation>%1 不保存结果类型为%2的记录。
</translation>
    </message>
    <message>
        <source>Reading comparison records</source>
        <translation>正在读取对比记录</translation>
    </message>
    <message>
        <source>Reading spectra</source>
        <translation>正在读取光谱</translation>
    </message>
</context>
<context>
    <name>LumivexCli</name>
    <message>
        <source>The meter's identity, result kind and settings</source>
        <translation>仪器的身份、结果类型和设置</translation>
    </message>
    <message>
        <source>Take one result from the meter and print it</source>
        <translation>从仪器读取一个结果并打印</translation>
    </message>
    <message>
        <source>Save the meter's comparison records of one result kind</source>
        <translation>保存仪器中某一种结果类型的对比记录</translation>
    </message>
    <message>
        <source>Save the spectra the meter keeps</source>
        <translation>保存仪器中的光谱</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
</context>
<context>
    <name>MeterPageFor310</name>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Device already opened!</source>
        <translation>设备已打开！</translation>
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
        <translation>合格</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>More black</source>
        <translation>明显偏黑</translation>
    </message>
    <message>
        <source>Slight black</source>
        <translation>轻微偏黑</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Slight white</source>
        <translation>轻微偏白</translation>
    </message>
    <message>
        <source>More white</source>
        <translation>明显偏白</translation>
    </message>
    <message>
        <source>More green</source>
        <translation>明显偏绿</translation>
    </message>
    <message>
        <source>Slight green</source>
        <translation>轻微偏绿</translation>
    </message>
    <message>
        <source>Slight red</source>
        <translation>轻微偏红</translation>
    </message>
    <message>
        <source>More red</source>
        <translation>明显偏红</translation>
    </message>
    <message>
        <source>More Blue</source>
        <translation>明显偏蓝</translation>
    </message>
    <message>
        <source>Slight blue</source>
        <translation>轻微偏蓝</translation>
    </message>
    <message>
        <source>Slight yellow</source>
        <translation>轻微偏黄</translation>
    </message>
    <message>
        <source>More yellow</source>
        <translation>明显偏黄</translation>
    </message>
</context>
<context>
    <name>LumivexCli</name>
    <message>
        <source>Colour difference of L*a*b* pairs, one per line</source>
        <translation>逐行计算 L*a*b* 色对的色差</translation>
    </message>
    <message>
        <source>Usage: lumivex-cli &lt;command&gt; [options]

Commands:
%1
Run "lumivex-cli &lt;command&gt; --help" for the options of a command.
</source>
        <translation>用法：lumivex-cli &lt;命令&gt; [选项]

命令：
%1
运行“lumivex-cli &lt;命令&gt; --help”查看命令的选项。
</translation>
    </message>
    <message>
        <source>Unknown command "%1".
</source>
        <translation>未知命令“%1”。
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
        <translation>用法：lumivex-cli delta-e [--formula N] [文件]

从文件（未给出文件或为“-”时从标准输入）逐行读取六个数“L1,a1,b1,L2,a2,b2”（先标准，后样品），
以逗号、分号、制表符或空格分隔，每行输出一个色差值，保留 4 位小数。
空行和“#”之后的文字被忽略。

  --formula N   %1（默认 5）

退出状态：0 成功，1 无法读取输入，2 用法错误或某行格式错误。
</translation>
    </message>
    <message>
        <source>--formula takes a number from 0 to 5, not "%1".
</source>
        <translation>--formula 需要 0 到 5 之间的数字，而不是“%1”。
</translation>
    </message>
    <message>
        <source>Unknown option "%1".
</source>
        <translation>未知选项“%1”。
</translation>
    </message>
    <message>
        <source>Only one input file can be given.
</source>
        <translation>只能指定一个输入文件。
</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>标准输入</translation>
    </message>
    <message>
        <source>Cannot read "%1": %2
</source>
        <translation>无法读取“%1”：%2
</translation>
    </message>
    <message>
        <source>Line %1: expected six numbers L1,a1,b1,L2,a2,b2, found "%2".
</source>
        <translation>第 %1 行：应为六个数 L1,a1,b1,L2,a2,b2，实际为“%2”。
</translation>
    </message>
</context>
<context>
    <name>ReportPageFor310</name>
    <message>
        <source>Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Test Report</source>
        <translation>测试报告</translation>
    </message>
    <message>
        <source>Device: </source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>序列号：</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>公司：</translation>
    </message>
    <message>
        <source>Sample Name:</source>
        <translation>样品名称：</translation>
    </message>
    <message>
        <source>Haze Tolerance:</source>
        <translation>雾度容差：</translation>
    </message>
    <message>
        <source>Transmittance Tolerance:</source>
        <translation>透光率容差：</translation>
    </message>
    <message>
        <source>Test Time:</source>
        <translation>测试时间：</translation>
    </message>
    <message>
        <source>Thresholds:</source>
        <translation>阈值：</translation>
    </message>
    <message>
        <source>formula:</source>
        <translation>公式：</translation>
    </message>
    <message>
        <source>Test Data</source>
        <translation>测试数据</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>样品</translation>
    </message>
    <message>
        <source>Haze</source>
        <translation>雾度</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>透光率</translation>
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
        <translation>结果</translation>
    </message>
    <message>
        <source> Tester:</source>
        <translation> 测试员：</translation>
    </message>
    <message>
        <source> Auditor:</source>
        <translation> 审核员：</translation>
    </message>
</context>
<context>
    <name>InformationPageFor310</name>
    <message>
        <source>Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <source>information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Tester:</source>
        <translation>测试员：</translation>
    </message>
    <message>
        <source>Test Time:</source>
        <translation>测试时间：</translation>
    </message>
    <message>
        <source>Auditor:</source>
        <translation>审核员：</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>序列号：</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>公司：</translation>
    </message>
    <message>
        <source>Sample Name:</source>
        <translation>样品名称：</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
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
        <translation>对比测量</translation>
    </message>
    <message>
        <source>Device information</source>
        <translation>设备信息</translation>
    </message>
    <message>
        <source>SN:</source>
        <translation>序列号：</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>固件版本：</translation>
    </message>
    <message>
        <source>Display parameter</source>
        <translation>显示参数</translation>
    </message>
    <message>
        <source>Haze and transmittance</source>
        <translation>雾度和透光率</translation>
    </message>
    <message>
        <source>Haze</source>
        <translation>雾度</translation>
    </message>
    <message>
        <source>Transmittance</source>
        <translation>透光率</translation>
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
        <translation>设置显示参数</translation>
    </message>
    <message>
        <source>Tolerance</source>
        <translation>容差</translation>
    </message>
    <message>
        <source>Haze tolerance:</source>
        <translation>雾度容差：</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Transmittance tolerance:</source>
        <translation>透光率容差：</translation>
    </message>
    <message>
        <source>△E thresholds:</source>
        <translation>△E阈值：</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>△E parameter</source>
        <translation>△E参数</translation>
    </message>
    <message>
        <source>△E formula:</source>
        <translation>△E公式：</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>统计</translation>
    </message>
    <message>
        <source>Unqualified</source>
        <translation>不合格数</translation>
    </message>
    <message>
        <source>Qualified</source>
        <translation>合格数</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>总数</translation>
    </message>
    <message>
        <source>Standard measurement</source>
        <translation>标准测量</translation>
    </message>
    <message>
        <source>Sample measurement</source>
        <translation>样品测量</translation>
    </message>
    <message>
        <source>Read comparison records</source>
        <translation>读取对比记录</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Export Excel</source>
        <translation>导出Excel</translation>
    </message>
    <message>
        <source>Spectral transmittance</source>
        <translation>光谱透过率</translation>
    </message>
    <message>
        <source>Spectral reflectance</source>
        <translation>光谱反射率</translation>
    </message>
    <message>
        <source>Write standard colours</source>
        <translation>写入标准色</translation>
    </message>
    <message>
        <source>UnKnow</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>样品</translation>
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
        <translation>序号</translation>
    </message>
    <message>
        <source>Test Name</source>
        <translation>测试名称</translation>
    </message>
    <message>
        <source>DateTime</source>
        <translation>日期时间</translation>
    </message>
    <message>
        <source>Pass or not</source>
        <translation>是否合格</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>报告</translation>
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
        <translation>△雾度</translation>
    </message>
    <message>
        <source>△Transmittance</source>
        <translation>△透光率</translation>
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
        <translation>光谱</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>另有 %1 条</translation>
    </message>
    <message>
        <source>Spectral history</source>
        <translation>光谱历史</translation>
    </message>
    <message>
        <source>Spectral measurement</source>
        <translation>光谱测量</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Export Excel</source>
        <translation>导出Excel</translation>
    </message>
    <message>
        <source>No</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Curve</source>
        <translation>曲线</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Wavelength(nm)</source>
        <translation>波长(nm)</translation>
    </message>
    <message>
        <source>Transmittance(%)</source>
        <translation>透光率(%)</translation>
    </message>
    <message>
        <source>Reflectance(%)</source>
        <translation>反射率(%)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Measurement exceeds the maximum quantity, please save the excel file before measuring!</source>
        <translation>测量数量超过上限，请先保存Excel文件再测量！</translation>
    </message>
    <message>
        <source>Failed to read data information!</source>
        <translation>读取数据信息失败！</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>请先连接设备！</translation>
    </message>
    <message>
        <source>Colorimeter</source>
        <translation>色度计</translation>
    </message>
    <message>
        <source>Data import willempty the list, to save data first?</source>
        <translation>导入数据将清空列表，是否先保存数据？</translation>
    </message>
    <message>
        <source>Spectral history data error, unable to export!</source>
        <translation>光谱历史数据错误，无法导出！</translation>
    </message>
    <message>
        <source>Failed to read the number of spectral records!</source>
        <translation>读取光谱记录数量失败！</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>No spectral history!</source>
        <translation>没有光谱历史记录！</translation>
    </message>
    <message>
        <source>The instrument reports %1 spectral records, more than its memory holds (%2); nothing was read.</source>
        <translation>仪器报告有%1条光谱记录，超过其存储容量（%2条）；未读取任何数据。</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>正在存储数据，请稍候...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Reading spectral recording data failed!</source>
        <translation>读取光谱记录数据失败！</translation>
    </message>
    <message>
        <source>Failed to read spectral record name data!</source>
        <translation>读取光谱记录名称数据失败！</translation>
    </message>
    <message>
        <source>Download cancelled; nothing was added.</source>
        <translation>下载已取消；未添加任何数据。</translation>
    </message>
    <message>
        <source>No data for Storing to Excel!</source>
        <translation>没有可存储到Excel的数据！</translation>
    </message>
    <message>
        <source>Storing data to Excel</source>
        <translation>存储数据到Excel</translation>
    </message>
    <message>
        <source>excel file (*.xls)</source>
        <translation>excel文件 (*.xls)</translation>
    </message>
    <message>
        <source>excel file (*.xlsx)</source>
        <translation>excel文件 (*.xlsx)</translation>
    </message>
    <message>
        <source>Can&apos;t overwrite this file, maybe the file is in use!</source>
        <translation>无法覆盖此文件，文件可能正在使用！</translation>
    </message>
    <message>
        <source>Failed to store data, can&apos;t open file!</source>
        <translation>存储数据失败，无法打开文件！</translation>
    </message>
    <message>
        <source>Failed to export data to excel file</source>
        <translation>导出数据到Excel文件失败</translation>
    </message>
    <message>
        <source>Storing data</source>
        <translation>存储数据</translation>
    </message>
    <message>
        <source>Data stored to file Success</source>
        <translation>数据已成功存储到文件</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
</context>
<context>
    <name>WorkbookExport</name>
    <message>
        <source>The saved file could not be read back completely; the old file and the data were kept.</source>
        <translation>保存的文件无法完整读回；原文件和数据均已保留。</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>请先连接设备！</translation>
    </message>
    <message>
        <source>Failed to read device information!</source>
        <translation>读取设备信息失败！</translation>
    </message>
    <message>
        <source>Read key infomation fail!</source>
        <translation>读取关键信息失败！</translation>
    </message>
    <message>
        <source>Failed to read software version number!</source>
        <translation>读取软件版本号失败！</translation>
    </message>
    <message>
        <source>Failed to read DisplayParam!</source>
        <translation>读取显示参数失败！</translation>
    </message>
    <message>
        <source>Failed to Read Tolerance information!</source>
        <translation>读取容差信息失败！</translation>
    </message>
    <message>
        <source>Read successful!</source>
        <translation>读取成功！</translation>
    </message>
    <message>
        <source>Haze Tolerance must between 0-100!</source>
        <translation>雾度容差必须介于0-100之间！</translation>
    </message>
    <message>
        <source>Transmittance  Tolerance must between 0-100!</source>
        <translation>透光率容差必须介于0-100之间！</translation>
    </message>
    <message>
        <source>Thresholds must between 0.1-50!</source>
        <translation>阀值必须介于0.1-50之间！</translation>
    </message>
    <message>
        <source>Failed to Setup  Tolerance information!</source>
        <translation>设置容差信息失败！</translation>
    </message>
    <message>
        <source>Setup successfully!</source>
        <translation>设置成功！</translation>
    </message>
    <message>
        <source>Failed to read △E parameter information!</source>
        <translation>读取△E参数信息失败！</translation>
    </message>
    <message>
        <source>The comparison measurement record list data will be cleared. Do you want to continue saving the parameter settings?</source>
        <translation>对比测量记录列表数据将被清空，是否继续保存参数设置？</translation>
    </message>
    <message>
        <source>Failed to Setup  DisplayParam information!</source>
        <translation>设置显示参数信息失败！</translation>
    </message>
    <message>
        <source>Failed to read measurement data!</source>
        <translation>读取测量数据失败！</translation>
    </message>
</context>
<context>
    <name>setEParameterPageFor320</name>
    <message>
        <source>△E parameter Setting</source>
        <translation>△E参数设置</translation>
    </message>
    <message>
        <source>△E formula:</source>
        <translation>△E公式：</translation>
    </message>
    <message>
        <source>△E Thresholds:</source>
        <translation>△E阀值：</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Please connect the device first!</source>
        <translation>请先连接设备！</translation>
    </message>
    <message>
        <source>information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Thresholds must between 0.1—50!</source>
        <translation>阀值必须介于0.1-50之间！</translation>
    </message>
    <message>
        <source>Failed to write △E parameter information!</source>
        <translation>写入△E参数信息失败！</translation>
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
        <translation>选择一个要打开的Excel文件</translation>
    </message>
    <message>
        <source>excel file (*.xlsx)</source>
        <translation>excel文件 (*.xlsx)</translation>
    </message>
    <message>
        <source>File error, unable to write!</source>
        <translation>文件错误，无法写入！</translation>
    </message>
    <message>
        <source>Can&apos;t open file!</source>
        <translation>无法打开文件！</translation>
    </message>
    <message>
        <source>Failed to read excel file!</source>
        <translation>读取excel文件失败！</translation>
    </message>
    <message>
        <source>The written contents do not match and cannot be written!</source>
        <translation>写入内容不匹配，无法写入！</translation>
    </message>
    <message>
        <source>Failed to write the total number of standard color cards!</source>
        <translation>写入标准色卡总数失败！</translation>
    </message>
    <message>
        <source>Failed to write standard color card information!</source>
        <translation>写入标准色卡信息失败！</translation>
    </message>
    <message>
        <source>Error in Excel file with not enough rows of standard color cards!</source>
        <translation>Excel文件错误，标准色卡行数不足！</translation>
    </message>
    <message>
        <source>The name in row %1 of the Excel file is too long to be written!</source>
        <translation>Excel文件第%1行的名称过长，无法写入！</translation>
    </message>
    <message>
        <source>Failed to write the total number of standard color cards! The checksum in row %1 is wrong.</source>
        <translation>写入标准色卡总数失败！第%1行的校验值有误。</translation>
    </message>
    <message>
        <source>Failed to write standard color card information! The checksum in row %1 is wrong.</source>
        <translation>写入标准色卡信息失败！第%1行的校验值有误。</translation>
    </message>
    <message>
        <source>Storing data,please wait...</source>
        <translation>正在存储数据，请稍候...</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Failed to write standard color card data!</source>
        <translation>写入标准色卡数据失败！</translation>
    </message>
    <message>
        <source>Failed to write!</source>
        <translation>写入失败！</translation>
    </message>
    <message>
        <source>Failed to write empty packet!</source>
        <translation>写入空包失败！</translation>
    </message>
    <message>
        <source>Write to standard color card library successfully!</source>
        <translation>写入标准色卡库成功！</translation>
    </message>
</context>
<context>
    <name>Workbook</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>无法保存 %1：%2</translation>
    </message>
    <message>
        <source>it is neither an .xls nor an .xlsx workbook</source>
        <translation>它既不是 .xls 也不是 .xlsx 工作簿</translation>
    </message>
    <message>
        <source>the workbook is damaged (%1)</source>
        <translation>工作簿已损坏（%1）</translation>
    </message>
    <message>
        <source>the workbook is password-protected</source>
        <translation>工作簿受密码保护</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>它不是普通文件</translation>
    </message>
    <message>
        <source>the workbook is too large to read</source>
        <translation>工作簿太大，无法读取</translation>
    </message>
    <message>
        <source>the workbook takes too long to read</source>
        <translation>工作簿读取耗时过长</translation>
    </message>
    <message>
        <source>sheet "%1" is larger than %2 cells</source>
        <translation>工作表“%1”超过 %2 个单元格</translation>
    </message>
    <message>
        <source>row %1, column %2 lies beyond the %3 rows and %4 columns this format holds</source>
        <translation>第 %1 行第 %2 列超出了此格式可容纳的 %3 行 %4 列</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>文件为只读</translation>
    </message>
    <message>
        <source>the spreadsheet writer failed (%1)</source>
        <translation>电子表格写入失败（%1）</translation>
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
        <translation>未指定工作簿文件名。</translation>
    </message>
    <message>
        <source>Cannot create %1.</source>
        <translation>无法创建 %1。</translation>
    </message>
    <message>
        <source>%1 has no sheet %2.</source>
        <translation>%1 中没有第 %2 个工作表。</translation>
    </message>
    <message>
        <source>The workbook is not open.</source>
        <translation>工作簿未打开。</translation>
    </message>
    <message>
        <source>Row %1, column %2 lies outside the sheet.</source>
        <translation>第 %1 行第 %2 列超出工作表范围。</translation>
    </message>
    <message>
        <source>Row %1, column %2 cannot hold this value.</source>
        <translation>第 %1 行第 %2 列无法保存此值。</translation>
    </message>
</context>
<context>
    <name>MeterTable</name>
    <message>
        <source>UnKnow</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Error：</source>
        <translation>错误：</translation>
    </message>
    <message>
        <source>Can't open file！</source>
        <translation>无法打开文件！</translation>
    </message>
    <message>
        <source>Failed to read excel file！</source>
        <translation>读取excel文件失败！</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Read MeterNo Fail!</source>
        <translation>读取仪器编号失败！</translation>
    </message>
</context>
<context>
    <name>SheetCommand</name>
    <message>
        <source>--to takes the name of the workbook to write.
</source>
        <translation>--to 需要给出要写入的工作簿名称。
</translation>
    </message>
    <message>
        <source>Unknown option "%1".
</source>
        <translation>未知选项“%1”。
</translation>
    </message>
    <message>
        <source>Only one workbook can be given.
</source>
        <translation>只能给出一个工作簿。
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
        <translation>用法：lumivex-cli sheet [--to OUT] FILE

把工作簿 FILE（.xls 或 .xlsx）第 1 个工作表的已用区域按行打印，单元格以制表符分隔：
数字取最短的精确形式，日期时间按 ISO 8601，文本原样输出（制表符、换行和反斜杠
分别转义为 \t、\n 和 \\）。

  --to OUT   改为把整个工作簿写入 OUT：OUT 以 .xlsx 结尾时写 .xlsx，
             否则写 .xls

退出状态：0 成功，2 用法错误，或工作簿无法读取或写入。
</translation>
    </message>
</context>
<context>
    <name>LumivexCli</name>
    <message>
        <source>Print sheet 1 of a workbook, or convert between .xls and .xlsx</source>
        <translation>打印工作簿的第 1 个工作表，或在 .xls 与 .xlsx 之间转换</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>SN</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Standard Haze</source>
        <translation>标准值雾度</translation>
    </message>
    <message>
        <source>Standard Transmittance</source>
        <translation>标准值透光率</translation>
    </message>
    <message>
        <source>Sample Haze</source>
        <translation>样品值雾度</translation>
    </message>
    <message>
        <source>Sample Transmittance</source>
        <translation>样品值透光率</translation>
    </message>
    <message>
        <source>Haze Tolerance</source>
        <translation>雾度容差</translation>
    </message>
    <message>
        <source>Transmittance Tolerance</source>
        <translation>透光率容差</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Standard L*</source>
        <translation>标准值L*</translation>
    </message>
    <message>
        <source>Standard a*</source>
        <translation>标准值a*</translation>
    </message>
    <message>
        <source>Standard b*</source>
        <translation>标准值b*</translation>
    </message>
    <message>
        <source>Sample L*</source>
        <translation>样品值L*</translation>
    </message>
    <message>
        <source>Sample a*</source>
        <translation>样品值a*</translation>
    </message>
    <message>
        <source>Sample b*</source>
        <translation>样品值b*</translation>
    </message>
    <message>
        <source>Standard C*</source>
        <translation>标准值C*</translation>
    </message>
    <message>
        <source>Standard h</source>
        <translation>标准值h</translation>
    </message>
    <message>
        <source>Sample C*</source>
        <translation>样品值C*</translation>
    </message>
    <message>
        <source>Sample h</source>
        <translation>样品值h</translation>
    </message>
    <message>
        <source>Standard Y</source>
        <translation>标准值Y</translation>
    </message>
    <message>
        <source>Standard x</source>
        <translation>标准值x</translation>
    </message>
    <message>
        <source>Standard y</source>
        <translation>标准值y</translation>
    </message>
    <message>
        <source>Sample Y</source>
        <translation>样品值Y</translation>
    </message>
    <message>
        <source>Sample x</source>
        <translation>样品值x</translation>
    </message>
    <message>
        <source>Sample y</source>
        <translation>样品值y</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>No data for Storing to Excel!</source>
        <translation>没有可存储到Excel的数据！</translation>
    </message>
    <message>
        <source>Storing data to Excel</source>
        <translation>存储数据到Excel</translation>
    </message>
    <message>
        <source>excel file (*.xls)</source>
        <translation>excel文件 (*.xls)</translation>
    </message>
    <message>
        <source>Can&apos;t overwrite this file, maybe the file is in use!</source>
        <translation>无法覆盖此文件，文件可能正在使用！</translation>
    </message>
    <message>
        <source>Failed to store data, can&apos;t open file!</source>
        <translation>存储数据失败，无法打开文件！</translation>
    </message>
    <message>
        <source>Failed to export data to excel file</source>
        <translation>导出数据到Excel文件失败</translation>
    </message>
    <message>
        <source>Storing data</source>
        <translation>存储数据</translation>
    </message>
    <message>
        <source>Data stored to file Success</source>
        <translation>数据已成功存储到文件</translation>
    </message>
    <message>
        <source>Colorimeter</source>
        <translation>色度计</translation>
    </message>
    <message>
        <source>Data import willempty the list, to save data first?</source>
        <translation>导入数据将清空列表，是否先保存数据？</translation>
    </message>
    <message>
        <source>excel file (*.xls *.xlsx)</source>
        <translation>excel文件 (*.xls *.xlsx)</translation>
    </message>
    <message>
        <source>Error：</source>
        <translation>错误：</translation>
    </message>
    <message>
        <source>Can&apos;t open file！</source>
        <translation>无法打开文件！</translation>
    </message>
    <message>
        <source>Failed to read excel file！</source>
        <translation>读取excel文件失败！</translation>
    </message>
    <message>
        <source>The import file is not an export file of this software!</source>
        <translation>导入的文件不是本软件导出的文件！</translation>
    </message>
    <message>
        <source>The import file is not an export file of this software! (row %1)</source>
        <translation>导入的文件不是本软件导出的文件！（第%1行）</translation>
    </message>
    <message>
        <source>Failed to read excel file！ (row %1)</source>
        <translation>读取excel文件失败！（第%1行）</translation>
    </message>
    <message>
        <source>difference history data error, unable to export!</source>
        <translation>色差历史数据错误，无法导出！</translation>
    </message>
    <message>
        <source>Failed to read the number of color difference records!</source>
        <translation>读取色差记录数量失败！</translation>
    </message>
    <message>
        <source>Reading difference recording lab data failed!</source>
        <translation>读取色差记录数据失败！</translation>
    </message>
    <message>
        <source>Failed to read color difference record name data!</source>
        <translation>读取色差记录名称数据失败！</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>No comparison record!</source>
        <translation>没有对比记录！</translation>
    </message>
    <message>
        <source>Download cancelled; nothing was added.</source>
        <translation>下载已取消，未添加任何记录。</translation>
    </message>
    <message>
        <source>Choose one display parameter before reading the comparison records.</source>
        <translation>请先选择一个显示参数，再读取对比记录。</translation>
    </message>
    <message>
        <source>The instrument reports %1 comparison records, more than its memory holds (%2); nothing was read.</source>
        <translation>仪器报告有 %1 条对比记录，超过其存储容量（%2）；未读取任何数据。</translation>
    </message>
    <message>
        <source>Import Excel</source>
        <translation>导入Excel</translation>
    </message>
</context>
<context>
    <name>Colorimeter</name>
    <message>
        <source>△E Thresholds</source>
        <translation>△E阈值</translation>
    </message>
</context>
<context>
    <name>UnsavedQuestion</name>
    <message>
        <source>Restore records</source>
        <translation>恢复记录</translation>
    </message>
    <message>
        <source>The last session ended with %1 records that were never exported (last change %2). Restore them?</source>
        <translation>上次会话结束时有%1条记录从未导出（最后修改于%2）。要恢复吗？</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Unsaved records</source>
        <translation>未保存的记录</translation>
    </message>
    <message>
        <source>%1 records in the list were never exported. Save them before closing?</source>
        <translation>列表中有%1条记录从未导出。关闭前要保存吗？</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>保存…</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>%1 records in the list were never exported. Clear them anyway?</source>
        <translation>列表中有%1条记录从未导出。仍要清空吗？</translation>
    </message>
</context>
<context>
    <name>SessionJournal</name>
    <message>
        <source>unknown contents</source>
        <translation>无法识别的内容</translation>
    </message>
    <message>
        <source>Session journal</source>
        <translation>会话日志</translation>
    </message>
    <message>
        <source>The session journal could not be read (%1). It was set aside as %2 and a new one started.</source>
        <translation>无法读取会话日志（%1）。它已另存为%2，并已新建日志。</translation>
    </message>
    <message>
        <source>Records are not being kept for recovery after a crash.</source>
        <translation>记录未被保存，程序崩溃后无法恢复。</translation>
    </message>
    <message>
        <source>Records are not being kept for recovery after a crash: %1</source>
        <translation>记录未被保存，程序崩溃后无法恢复：%1</translation>
    </message>
</context>
<context>
    <name>LumivexCli</name>
    <message>
        <source>Translation: %1</source>
        <translation>翻译：%1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Meter table: %1, %2 meters</source>
        <translation>型号表：%1，%2 台仪器</translation>
    </message>
    <message>
        <source>Meter table: %1: %2</source>
        <translation>型号表：%1：%2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The meter is plugged in, but this user may not open it: its udev rule is missing.
Install the rule once and plug the meter in again:

sudo cp %1 /etc/udev/rules.d/
sudo udevadm control --reload-rules</source>
        <translation>仪器已连接，但当前用户无权打开它：缺少 udev 规则。
请安装一次该规则，然后重新插入仪器：

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
        <translation>平均值</translation>
    </message>
    <message>
        <source>Std. dev. (n-1)</source>
        <translation>标准差(n-1)</translation>
    </message>
    <message>
        <source>Minimum (record)</source>
        <translation>最小值(记录)</translation>
    </message>
    <message>
        <source>Maximum (record)</source>
        <translation>最大值(记录)</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>最大值</translation>
    </message>
</context>
<context>
    <name>BatchReport</name>
    <message>
        <source>Batch Report</source>
        <translation>批量测试报告</translation>
    </message>
    <message>
        <source>Printed:</source>
        <translation>打印时间：</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>统计</translation>
    </message>
    <message>
        <source>Records: %1</source>
        <translation>记录数：%1</translation>
    </message>
    <message>
        <source>PASS: %1</source>
        <translation>合格：%1</translation>
    </message>
    <message>
        <source>NG: %1</source>
        <translation>不合格：%1</translation>
    </message>
    <message>
        <source>Pass rate: %1%</source>
        <translation>合格率：%1%</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>趋势图</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>记录</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Failed to write the PDF file %1!</source>
        <translation>写入PDF文件%1失败！</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>第%1页，共%2页</translation>
    </message>
    <message>
        <source>PDF file</source>
        <translation>PDF文件</translation>
    </message>
    <message>
        <source>The report was saved to %1.</source>
        <translation>报告已保存到%1。</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>Record</source>
        <translation>记录</translation>
    </message>
    <message>
        <source>NG</source>
        <translation>不合格</translation>
    </message>
</context>
<context>
    <name>TrendChartView</name>
    <message>
        <source>Record %1</source>
        <translation>记录%1</translation>
    </message>
</context>
<context>
    <name>BatchPanel</name>
    <message>
        <source>Records: %1    PASS: %2    NG: %3    Pass rate: %4%</source>
        <translation>记录数：%1    合格：%2    不合格：%3    合格率：%4%</translation>
    </message>
    <message>
        <source>Batch statistics</source>
        <translation>批量统计</translation>
    </message>
    <message>
        <source>Selected records only</source>
        <translation>仅统计选中的记录</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>记录</translation>
    </message>
    <message>
        <source>Standard deviation of a sample: divided by n-1 records</source>
        <translation>样本标准差：除以记录数n-1</translation>
    </message>
</context>
<context>
    <name>FirstPageFor310</name>
    <message>
        <source>Batch statistics</source>
        <translation>批量统计</translation>
    </message>
    <message>
        <source>Report all</source>
        <translation>全部报告</translation>
    </message>
    <message>
        <source>Save the batch report</source>
        <translation>保存批量报告</translation>
    </message>
    <message>
        <source>PDF file (*.pdf)</source>
        <translation>PDF文件 (*.pdf)</translation>
    </message>
</context>
<context>
    <name>ReportPageFor310</name>
    <message>
        <source>Save as PDF</source>
        <translation>另存为PDF</translation>
    </message>
    <message>
        <source>PDF file (*.pdf)</source>
        <translation>PDF文件 (*.pdf)</translation>
    </message>
</context>
</TS>
