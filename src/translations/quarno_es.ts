<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>qn::THistoryChart</name>
    <message>
        <source>Traffic history chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No traffic recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bars from %2 to %3; the largest %4 on %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
Download %2
Upload %3
Total %4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::TIntfListModel</name>
    <message>
        <source>Interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::TMainActions</name>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always Visible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interface View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window Caption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only Operational Interfaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Persistent layout and settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Traffic History...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Cap...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Traffic in Tray Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::TMainComponents</name>
    <message>
        <source>Interfaces</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::TNetworkConfiguration</name>
    <message>
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token Ring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FDDI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PPP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loopback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ATM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IEEE 802.11 wireless</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tunnel encapsulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IEEE 1394 (Firewire) high performance serial bus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mobile broadband for WiMax</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mobile broadband for GSM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mobile broadband for CDMA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Non Operational</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operational</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::TQuotaText</name>
    <message numerus="yes">
        <source>%n day</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2, %3 left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 from %2 to %3, %4 left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 (%3 %)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); the cap is reached.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); %3 a day may be used from now on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history starts on %1: what was used before is not counted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data cap will run out before the day ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data cap will run out before the week ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data cap will run out before the month ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At this pace %1 of %2 will be used by %3. %4 a day keeps within the cap.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data cap is used up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 % of the data cap is used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 this day, %2 left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 this week, %2 left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 this month, %2 left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %1 a day may be used from now on.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::TTrayHint</name>
    <message>
        <source>%1: Download %2, Upload %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::TWatcherPanels</name>
    <message>
        <source>No interface is watched yet.
Tick one in View &gt; Interface View (Ctrl+I), or pick one in the Monitor menu.</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_AdapterInfo</name>
    <message>
        <source>Alias:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max speed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MTU size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subnet mask:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Device properties </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to get data. Device is not available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Mbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 B</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_History</name>
    <message>
        <source>Traffic History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Years</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No data cap is set (View &gt; Data Cap...).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data cap this %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All interfaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All interfaces: the uplinks (none has traffic yet); loopback, virtual and tunnel interfaces are not counted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All interfaces: the uplinks %1; loopback, virtual and tunnel interfaces are not counted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No traffic recorded yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_Quota</name>
    <message>
        <source>Data Cap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limit:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts on day:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download and upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counts:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no warnings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warn at (%):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the uplinks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interfaces:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interfaces: names separated by commas; empty counts the uplinks (the physical interfaces and the default route&apos;s), never loopback, virtual or tunnel traffic.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts on (Monday = 1):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The warning levels must be whole percentages from 1 to 1000, separated by commas.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qn::Tfrm_qn_Watcher</name>
    <message>
        <source>%1 download current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 upload current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 download maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 upload maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 download total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 upload total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 session download total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 session upload total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total transfer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timestamp: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Session totals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 traffic chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 session totals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download %1, peak %2; upload %3, peak %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download %1, upload %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear session totals?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
