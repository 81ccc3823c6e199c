<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>qn::THistoryChart</name>
    <message>
        <source>Traffic history chart</source>
        <translation>流量历史图表</translation>
    </message>
    <message>
        <source>No traffic recorded</source>
        <translation>没有记录到流量</translation>
    </message>
    <message>
        <source>%1 bars from %2 to %3; the largest %4 on %5</source>
        <translation>%1 个柱形，从 %2 到 %3；最大值 %4，在 %5</translation>
    </message>
    <message>
        <source>%1
Download %2
Upload %3
Total %4</source>
        <translation>%1
下载 %2
上传 %3
合计 %4</translation>
    </message>
</context>
<context>
    <name>qn::THistoryMessages</name>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1.</source>
        <translation>已停止记录流量历史：无法写入 %1。</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: the disk is full (%1).</source>
        <translation>已停止记录流量历史：磁盘已满（%1）。</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1 was written by a newer version of Quarno.</source>
        <translation>已停止记录流量历史：%1 由更新版本的 Quarno 写入。</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1 (%2).</source>
        <translation>已停止记录流量历史：无法写入 %1（%2）。</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1.</source>
        <translation>已停止记录流量历史：%1。</translation>
    </message>
    <message>
        <source>The traffic history file was damaged and has been moved to %1. A new history has been started.</source>
        <translation>流量历史文件已损坏，已移至 %1。已开始新的历史记录。</translation>
    </message>
    <message>
        <source>The data cap settings hold values that cannot be used (%1); their defaults are used instead.</source>
        <translation>流量上限设置包含无法使用的值（%1）；已改用默认值。</translation>
    </message>
</context>
<context>
    <name>qn::TIntfListModel</name>
    <message>
        <source>Interface</source>
        <translation>接口</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
</context>
<context>
    <name>qn::TMainActions</name>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>关于...</translation>
    </message>
    <message>
        <source>Always Visible</source>
        <translation>总在最前</translation>
    </message>
    <message>
        <source>Interface View</source>
        <translation>接口列表</translation>
    </message>
    <message>
        <source>Window Caption</source>
        <translation>窗口标题栏</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>隐藏</translation>
    </message>
    <message>
        <source>Only Operational Interfaces</source>
        <translation>仅显示工作中的接口</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Persistent layout and settings</source>
        <translation>保存布局和设置</translation>
    </message>
    <message>
        <source>Traffic History...</source>
        <translation>流量历史...</translation>
    </message>
    <message>
        <source>Data Cap...</source>
        <translation>流量上限...</translation>
    </message>
    <message>
        <source>Traffic in Tray Icon</source>
        <translation>在托盘图标中显示流量</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>退出应用程序</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>监视</translation>
    </message>
    <message>
        <source>View</source>
        <translation>查看</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Applications...</source>
        <translation>应用程序...</translation>
    </message>
</context>
<context>
    <name>qn::TMainComponents</name>
    <message>
        <source>Interfaces</source>
        <translation>接口</translation>
    </message>
</context>
<context>
    <name>qn::TNetworkConfiguration</name>
    <message>
        <source>Other</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation>以太网</translation>
    </message>
    <message>
        <source>Token Ring</source>
        <translation>令牌环</translation>
    </message>
    <message>
        <source>FDDI</source>
        <translation>FDDI</translation>
    </message>
    <message>
        <source>PPP</source>
        <translation>PPP</translation>
    </message>
    <message>
        <source>Loopback</source>
        <translation>环回</translation>
    </message>
    <message>
        <source>ATM</source>
        <translation>ATM</translation>
    </message>
    <message>
        <source>IEEE 802.11 wireless</source>
        <translation>IEEE 802.11 无线</translation>
    </message>
    <message>
        <source>Tunnel encapsulation</source>
        <translation>隧道封装</translation>
    </message>
    <message>
        <source>IEEE 1394 (Firewire) high performance serial bus</source>
        <translation>IEEE 1394（火线）高性能串行总线</translation>
    </message>
    <message>
        <source>Mobile broadband for WiMax</source>
        <translation>移动宽带（WiMAX）</translation>
    </message>
    <message>
        <source>Mobile broadband for GSM</source>
        <translation>移动宽带（GSM）</translation>
    </message>
    <message>
        <source>Mobile broadband for CDMA</source>
        <translation>移动宽带（CDMA）</translation>
    </message>
    <message>
        <source>Non Operational</source>
        <translation>未工作</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>不可达</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>已断开</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>正在连接</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Operational</source>
        <translation>工作中</translation>
    </message>
</context>
<context>
    <name>qn::TQuotaText</name>
    <message>
        <source>day</source>
        <translation>日</translation>
    </message>
    <message>
        <source>week</source>
        <translation>周</translation>
    </message>
    <message>
        <source>month</source>
        <translation>月</translation>
    </message>
    <message>
        <source>The data cap will run out before the day ends</source>
        <translation>流量上限将在今日结束前用完</translation>
    </message>
    <message>
        <source>The data cap will run out before the week ends</source>
        <translation>流量上限将在本周结束前用完</translation>
    </message>
    <message>
        <source>The data cap will run out before the month ends</source>
        <translation>流量上限将在本月结束前用完</translation>
    </message>
    <message>
        <source>%1 this day, %2 left.</source>
        <translation>今日已用 %1，还剩 %2。</translation>
    </message>
    <message>
        <source>%1 this week, %2 left.</source>
        <translation>本周已用 %1，还剩 %2。</translation>
    </message>
    <message>
        <source>%1 this month, %2 left.</source>
        <translation>本月已用 %1，还剩 %2。</translation>
    </message>
    <message numerus="yes">
        <source>%n day</source>
        <translation>
            <numerusform>%n 天</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n 天</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2, %3 left</source>
        <translation>%1：%2，还剩 %3</translation>
    </message>
    <message>
        <source>%1 from %2 to %3, %4 left</source>
        <translation>%1：%2 至 %3，还剩 %4</translation>
    </message>
    <message>
        <source>%1 of %2 (%3 %)</source>
        <translation>%1 / %2（%3 %）</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); the cap is reached.</source>
        <translation>速度为每天 %1（到周期结束时为 %2）；已达到上限。</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); %3 a day may be used from now on.</source>
        <translation>速度为每天 %1（到周期结束时为 %2）；从现在起每天可用 %3。</translation>
    </message>
    <message>
        <source>The history starts on %1: what was used before is not counted.</source>
        <translation>历史记录从 %1 开始：之前的用量不计入。</translation>
    </message>
    <message>
        <source>At this pace %1 of %2 will be used by %3. %4 a day keeps within the cap.</source>
        <translation>按此速度，到 %3 将用掉 %1（上限 %2）。每天不超过 %4 即可不超出上限。</translation>
    </message>
    <message>
        <source>The data cap is used up</source>
        <translation>流量上限已用完</translation>
    </message>
    <message>
        <source>%1 % of the data cap is used</source>
        <translation>已用流量上限的 %1 %</translation>
    </message>
    <message>
        <source> %1 a day may be used from now on.</source>
        <translation>从现在起每天可用 %1。</translation>
    </message>
</context>
<context>
    <name>qn::TRateAlertControl</name>
    <message>
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
    <message numerus="yes">
        <source>%n s</source>
        <translation>
            <numerusform>%n 秒</numerusform>
        </translation>
    </message>
    <message>
        <source>Rate Alerts...</source>
        <translation>速率提醒...</translation>
    </message>
    <message>
        <source>The rate alert settings of %1 hold values that cannot be used (%2); their defaults are used instead.</source>
        <translation>%1 的速率提醒设置包含无法使用的值（%2）；已改用默认值。</translation>
    </message>
    <message>
        <source>%1: the download stays above %2</source>
        <translation>%1：下载速率持续高于 %2</translation>
    </message>
    <message>
        <source>%1: the upload stays above %2</source>
        <translation>%1：上传速率持续高于 %2</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed above %2 for %3.</source>
        <translation>%1 的下载速率已持续 %3 高于 %2。</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed above %2 for %3.</source>
        <translation>%1 的上传速率已持续 %3 高于 %2。</translation>
    </message>
    <message>
        <source>%1: the download stalled</source>
        <translation>%1：下载已停滞</translation>
    </message>
    <message>
        <source>%1: the upload stalled</source>
        <translation>%1：上传已停滞</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>%1 的下载速率在高于 %2 之后，已持续 %3 低于该值。</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>%1 的上传速率在高于 %2 之后，已持续 %3 低于该值。</translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation>
            <numerusform>%n 分钟</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qn::TTrayHint</name>
    <message>
        <source>%1: Download %2, Upload %3</source>
        <translation>%1：下载 %2，上传 %3</translation>
    </message>
</context>
<context>
    <name>qn::TWatcherPanels</name>
    <message>
        <source>No interface is watched yet.
Tick one in View &gt; Interface View (Ctrl+I), or pick one in the Monitor menu.</source>
        <translation>尚未监视任何接口。
请在“查看 &gt; 接口列表”(Ctrl+I) 中勾选一个，
或在“监视”菜单中选择一个。</translation>
    </message>
</context>
<context>
    <name>qn::TdlgAbout</name>
    <message>
        <source>Terms of use

Quarno is provided as is, without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and non-infringement. In no event shall the authors or Veldo be liable for any claim, damages or other liability arising from the use of the program.

Quarno reads the traffic counters that the operating system keeps for each network interface. It does not capture, inspect, store or send any network traffic, and it sends no data about you or your computer anywhere.

The only file Quarno writes is its settings file. Delete it to return to the original settings.

You may use Quarno free of charge at home and at work, and give unchanged copies of it to others, as long as you ask nothing for it. You may not sell it, rent it out, or pass it on in a changed form.

The figures Quarno shows are measurements of the interface counters taken once a second. They are meant for information; they are not suited for billing.</source>
        <translation>使用条款

Quarno 按“原样”提供，不附带任何明示或暗示的担保，包括但不限于适销性、特定用途适用性和不侵权的担保。在任何情况下，作者或 Veldo 均不对因使用本程序而产生的任何索赔、损害或其他责任负责。

Quarno 读取操作系统为每个网络接口维护的流量计数器。它不捕获、不检查、不存储也不发送任何网络流量，也不会将有关您或您计算机的任何数据发送到任何地方。

Quarno 写入的唯一文件是它的设置文件。删除该文件即可恢复原始设置。

您可以在家中和工作中免费使用 Quarno，并可将未经修改的副本提供给他人，只要您不为此索取任何报酬。您不得出售、出租或以修改后的形式传播它。

Quarno 显示的数字是每秒一次对接口计数器的测量结果。它们仅供参考，不适用于计费。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_AdapterInfo</name>
    <message>
        <source>Alias:</source>
        <translation>别名：</translation>
    </message>
    <message>
        <source>Max speed:</source>
        <translation>最大速度：</translation>
    </message>
    <message>
        <source>MTU size:</source>
        <translation>MTU 大小：</translation>
    </message>
    <message>
        <source>MAC address:</source>
        <translation>MAC 地址：</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <source>Subnet mask:</source>
        <translation>子网掩码：</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>类型：</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>状态：</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source> Device properties </source>
        <translation> 设备属性 </translation>
    </message>
    <message>
        <source>Failed to get data. Device is not available.</source>
        <translation>无法获取数据。设备不可用。</translation>
    </message>
    <message>
        <source>%1 Mbps</source>
        <translation>%1 Mbps</translation>
    </message>
    <message>
        <source>%1 B</source>
        <translation>%1 字节</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_History</name>
    <message>
        <source>Traffic History</source>
        <translation>流量历史</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>小时</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>天</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>月</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>年</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>时段</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>合计</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>导出 CSV...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>导出 CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>No data cap is set (View &gt; Data Cap...).</source>
        <translation>未设置流量上限（查看 &gt; 流量上限...）。</translation>
    </message>
    <message>
        <source>Data cap this %1</source>
        <translation>流量上限 — %1</translation>
    </message>
    <message>
        <source>All interfaces</source>
        <translation>所有接口</translation>
    </message>
    <message>
        <source>Every interface</source>
        <translation>每个接口</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks (none has traffic yet); loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>所有接口：上行链路（尚无流量）；不计入环回、虚拟和隧道接口。</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks %1; loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>所有接口：上行链路 %1；不计入环回、虚拟和隧道接口。</translation>
    </message>
    <message>
        <source>No traffic recorded yet.</source>
        <translation>尚未记录流量。</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>无法写入 %1</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>应用程序</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>应用程序</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>No application has been recorded in this period yet.</source>
        <translation>此期间尚未记录任何应用程序。</translation>
    </message>
    <message>
        <source>Most used by: %1.</source>
        <translation>用量最多：%1。</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>未归属</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>本会话的其他程序</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>用户 %1</translation>
    </message>
    <message>
        <source>Applications: no period chosen.</source>
        <translation>应用程序：未选择期间。</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1: none recorded.</source>
        <translation>上行链路上的应用程序，%1：无记录。</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1:</source>
        <translation>上行链路上的应用程序，%1：</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP（如 QUIC 和通话）、其他协议、容器和虚拟机、短于一秒的连接</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_Quota</name>
    <message>
        <source>Data Cap</source>
        <translation>流量上限</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>Limit:</source>
        <translation>上限：</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>日</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>周</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>月</translation>
    </message>
    <message>
        <source>Period:</source>
        <translation>周期：</translation>
    </message>
    <message>
        <source>Starts on day:</source>
        <translation>起始日：</translation>
    </message>
    <message>
        <source>Download and upload</source>
        <translation>下载和上传</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>Counts:</source>
        <translation>计入：</translation>
    </message>
    <message>
        <source>no warnings</source>
        <translation>不提醒</translation>
    </message>
    <message>
        <source>Warn at (%):</source>
        <translation>提醒阈值 (%)：</translation>
    </message>
    <message>
        <source>the uplinks</source>
        <translation>上行链路</translation>
    </message>
    <message>
        <source>Interfaces:</source>
        <translation>接口：</translation>
    </message>
    <message>
        <source>Interfaces: names separated by commas; empty counts the uplinks (the physical interfaces and the default route&apos;s), never loopback, virtual or tunnel traffic.</source>
        <translation>接口：名称以逗号分隔；留空则计入上行链路（物理接口和默认路由的接口），从不计入环回、虚拟或隧道流量。</translation>
    </message>
    <message>
        <source>Starts on (Monday = 1):</source>
        <translation>起始日（星期一 = 1）：</translation>
    </message>
    <message>
        <source>The warning levels must be whole percentages from 1 to 1000, separated by commas.</source>
        <translation>提醒阈值必须是 1 到 1000 之间的整数百分比，以逗号分隔。</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_RateAlerts</name>
    <message>
        <source>Rate Alerts: %1</source>
        <translation>速率提醒：%1</translation>
    </message>
    <message>
        <source>Alert when a rate stays above</source>
        <translation>速率持续高于以下值时提醒</translation>
    </message>
    <message>
        <source>Alert when a rate stays below, after it was above (a stalled transfer)</source>
        <translation>速率先高于后持续低于以下值时提醒（传输停滞）</translation>
    </message>
    <message>
        <source>Download and upload are watched apart. An alert is shown once when its condition begins, and again only after it ended.</source>
        <translation>下载和上传分别监视。提醒在条件开始时显示一次，条件结束后才会再次显示。</translation>
    </message>
    <message>
        <source>KB/s</source>
        <translation>KB/秒</translation>
    </message>
    <message>
        <source>MB/s</source>
        <translation>MB/秒</translation>
    </message>
    <message>
        <source>for</source>
        <translation>持续</translation>
    </message>
    <message>
        <source>s</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>min</source>
        <translation>分钟</translation>
    </message>
</context>
<context>
    <name>qn::Tfrm_qn_Watcher</name>
    <message>
        <source>%1 download current</source>
        <translation>%1 当前下载</translation>
    </message>
    <message>
        <source>%1 upload current</source>
        <translation>%1 当前上传</translation>
    </message>
    <message>
        <source>%1 download maximum</source>
        <translation>%1 最大下载</translation>
    </message>
    <message>
        <source>%1 upload maximum</source>
        <translation>%1 最大上传</translation>
    </message>
    <message>
        <source>%1 download total</source>
        <translation>%1 下载总量</translation>
    </message>
    <message>
        <source>%1 upload total</source>
        <translation>%1 上传总量</translation>
    </message>
    <message>
        <source>%1 session download total</source>
        <translation>%1 本次会话下载总量</translation>
    </message>
    <message>
        <source>%1 session upload total</source>
        <translation>%1 本次会话上传总量</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>当前</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>Total transfer</source>
        <translation>传输总量</translation>
    </message>
    <message>
        <source>Timestamp: </source>
        <translation>时间：</translation>
    </message>
    <message>
        <source>Value: </source>
        <translation>数值：</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>流量</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Properties...</source>
        <translation>属性...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>Session totals</source>
        <translation>会话合计</translation>
    </message>
    <message>
        <source>%1 traffic chart</source>
        <translation>%1 流量图</translation>
    </message>
    <message>
        <source>%1 session totals</source>
        <translation>%1 会话合计</translation>
    </message>
    <message>
        <source>Download %1, peak %2; upload %3, peak %4</source>
        <translation>下载 %1，峰值 %2；上传 %3，峰值 %4</translation>
    </message>
    <message>
        <source>Download %1, upload %2</source>
        <translation>下载 %1，上传 %2</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Clear session totals?</source>
        <translation>清除会话合计？</translation>
    </message>
</context>
<context>
    <name>qn::Twnd_qn_Apps</name>
    <message>
        <source>Applications</source>
        <translation>应用程序</translation>
    </message>
    <message>
        <source>Traffic of each application now and this session, busiest first</source>
        <translation>每个应用程序当前和本会话的流量，最活跃的在前</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>应用程序</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>已下载</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>已上传</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>Counting per application is switched off (QUARNO_APPS=0).</source>
        <translation>按应用程序统计已关闭（QUARNO_APPS=0）。</translation>
    </message>
    <message>
        <source>This system does not tell which program a connection belongs to: all traffic is unattributed.</source>
        <translation>本系统不提供连接所属的程序：所有流量均未归属。</translation>
    </message>
    <message>
        <source>No cgroup v2 hierarchy is mounted, so programs cannot be told apart: their traffic shows as this session&apos;s.</source>
        <translation>未挂载 cgroup v2 层级，因此无法区分程序：其流量显示为本会话的流量。</translation>
    </message>
    <message>
        <source>The kernel does not say which cgroup made a connection (Linux 5.8 and later do): traffic shows as this session&apos;s.</source>
        <translation>内核不提供连接由哪个 cgroup 建立（Linux 5.8 及以上版本提供）：流量显示为本会话的流量。</translation>
    </message>
    <message>
        <source>The desktop does not start applications in units of their own, so their traffic shows as this session&apos;s.</source>
        <translation>桌面环境不在各自的单元中启动应用程序，因此其流量显示为本会话的流量。</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>本会话的其他程序</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>用户 %1</translation>
    </message>
    <message>
        <source>Also uses UDP, which cannot be counted</source>
        <translation>也使用无法统计的 UDP</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>未归属</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP（如 QUIC 和通话）、其他协议、容器和虚拟机、短于一秒的连接</translation>
    </message>
    <message>
        <source>No traffic on the uplinks yet.</source>
        <translation>上行链路上尚无流量。</translation>
    </message>
    <message>
        <source>Applications account for %1% of the uplinks&apos; traffic.</source>
        <translation>应用程序占上行链路流量的 %1%。</translation>
    </message>
</context>
</TS>
