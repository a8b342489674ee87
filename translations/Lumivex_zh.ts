<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
</TS>
