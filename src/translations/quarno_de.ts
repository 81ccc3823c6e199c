<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>qn::THistoryChart</name>
    <message>
        <source>Traffic history chart</source>
        <translation>Diagramm des Datenverlaufs</translation>
    </message>
    <message>
        <source>No traffic recorded</source>
        <translation>Kein Datenverkehr aufgezeichnet</translation>
    </message>
    <message>
        <source>%1 bars from %2 to %3; the largest %4 on %5</source>
        <translation>%1 Balken von %2 bis %3; der größte %4 am %5</translation>
    </message>
    <message>
        <source>%1
Download %2
Upload %3
Total %4</source>
        <translation>%1
Download %2
Upload %3
Gesamt %4</translation>
    </message>
</context>
<context>
    <name>qn::THistoryMessages</name>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1.</source>
        <translation>Der Datenverlauf wird nicht mehr aufgezeichnet: %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: the disk is full (%1).</source>
        <translation>Der Datenverlauf wird nicht mehr aufgezeichnet: Der Datenträger ist voll (%1).</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1 was written by a newer version of Quarno.</source>
        <translation>Der Datenverlauf wird nicht mehr aufgezeichnet: %1 wurde von einer neueren Version von Quarno geschrieben.</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1 (%2).</source>
        <translation>Der Datenverlauf wird nicht mehr aufgezeichnet: %1 kann nicht geschrieben werden (%2).</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1.</source>
        <translation>Der Datenverlauf wird nicht mehr aufgezeichnet: %1.</translation>
    </message>
    <message>
        <source>The traffic history file was damaged and has been moved to %1. A new history has been started.</source>
        <translation>Die Datei des Datenverlaufs war beschädigt und wurde nach %1 verschoben. Ein neuer Verlauf wurde begonnen.</translation>
    </message>
    <message>
        <source>The data cap settings hold values that cannot be used (%1); their defaults are used instead.</source>
        <translation>Die Einstellungen des Datenlimits enthalten unbrauchbare Werte (%1); stattdessen gelten die Standardwerte.</translation>
    </message>
</context>
<context>
    <name>qn::TIntfListModel</name>
    <message>
        <source>Interface</source>
        <translation>Schnittstelle</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Upload</translation>
    </message>
</context>
<context>
    <name>qn::TMainActions</name>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Über...</translation>
    </message>
    <message>
        <source>Always Visible</source>
        <translation>Immer sichtbar</translation>
    </message>
    <message>
        <source>Interface View</source>
        <translation>Schnittstellenliste</translation>
    </message>
    <message>
        <source>Window Caption</source>
        <translation>Titelleiste</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Only Operational Interfaces</source>
        <translation>Nur aktive Schnittstellen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Persistent layout and settings</source>
        <translation>Anordnung und Einstellungen speichern</translation>
    </message>
    <message>
        <source>Traffic History...</source>
        <translation>Datenverlauf...</translation>
    </message>
    <message>
        <source>Data Cap...</source>
        <translation>Datenlimit...</translation>
    </message>
    <message>
        <source>Traffic in Tray Icon</source>
        <translation>Datenverkehr im Infobereich</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Beendet das Programm</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Überwachen</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Applications...</source>
        <translation>Anwendungen...</translation>
    </message>
</context>
<context>
    <name>qn::TMainComponents</name>
    <message>
        <source>Interfaces</source>
        <translation>Schnittstellen</translation>
    </message>
</context>
<context>
    <name>qn::TNetworkConfiguration</name>
    <message>
        <source>Other</source>
        <translation>Sonstige</translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source>Token Ring</source>
        <translation>Token Ring</translation>
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
        <translation>Loopback</translation>
    </message>
    <message>
        <source>ATM</source>
        <translation>ATM</translation>
    </message>
    <message>
        <source>IEEE 802.11 wireless</source>
        <translation>IEEE 802.11 (WLAN)</translation>
    </message>
    <message>
        <source>Tunnel encapsulation</source>
        <translation>Tunnel-Kapselung</translation>
    </message>
    <message>
        <source>IEEE 1394 (Firewire) high performance serial bus</source>
        <translation>IEEE 1394 (FireWire), serieller Hochleistungsbus</translation>
    </message>
    <message>
        <source>Mobile broadband for WiMax</source>
        <translation>Mobiles Breitband (WiMAX)</translation>
    </message>
    <message>
        <source>Mobile broadband for GSM</source>
        <translation>Mobiles Breitband (GSM)</translation>
    </message>
    <message>
        <source>Mobile broadband for CDMA</source>
        <translation>Mobiles Breitband (CDMA)</translation>
    </message>
    <message>
        <source>Non Operational</source>
        <translation>Nicht betriebsbereit</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Nicht erreichbar</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Verbindung wird hergestellt</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Operational</source>
        <translation>Betriebsbereit</translation>
    </message>
</context>
<context>
    <name>qn::TQuotaText</name>
    <message>
        <source>day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>The data cap will run out before the day ends</source>
        <translation>Das Datenlimit ist vor Ende des Tages erreicht</translation>
    </message>
    <message>
        <source>The data cap will run out before the week ends</source>
        <translation>Das Datenlimit ist vor Ende der Woche erreicht</translation>
    </message>
    <message>
        <source>The data cap will run out before the month ends</source>
        <translation>Das Datenlimit ist vor Ende des Monats erreicht</translation>
    </message>
    <message>
        <source>%1 this day, %2 left.</source>
        <translation>%1 an diesem Tag, noch %2.</translation>
    </message>
    <message>
        <source>%1 this week, %2 left.</source>
        <translation>%1 in dieser Woche, noch %2.</translation>
    </message>
    <message>
        <source>%1 this month, %2 left.</source>
        <translation>%1 in diesem Monat, noch %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n day</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2, %3 left</source>
        <translation>%1 %2, noch %3</translation>
    </message>
    <message>
        <source>%1 from %2 to %3, %4 left</source>
        <translation>%1 vom %2 bis %3, noch %4</translation>
    </message>
    <message>
        <source>%1 of %2 (%3 %)</source>
        <translation>%1 von %2 (%3 %)</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); the cap is reached.</source>
        <translation>Tempo %1 pro Tag (%2 bis zum Ende des Zeitraums); das Limit ist erreicht.</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); %3 a day may be used from now on.</source>
        <translation>Tempo %1 pro Tag (%2 bis zum Ende des Zeitraums); ab jetzt sind %3 pro Tag möglich.</translation>
    </message>
    <message>
        <source>The history starts on %1: what was used before is not counted.</source>
        <translation>Der Verlauf beginnt am %1: Davor Verbrauchtes wird nicht mitgezählt.</translation>
    </message>
    <message>
        <source>At this pace %1 of %2 will be used by %3. %4 a day keeps within the cap.</source>
        <translation>Bei diesem Tempo sind bis %3 %1 von %2 verbraucht. Mit %4 pro Tag bleibt das Limit eingehalten.</translation>
    </message>
    <message>
        <source>The data cap is used up</source>
        <translation>Das Datenlimit ist aufgebraucht</translation>
    </message>
    <message>
        <source>%1 % of the data cap is used</source>
        <translation>%1 % des Datenlimits sind verbraucht</translation>
    </message>
    <message>
        <source> %1 a day may be used from now on.</source>
        <translation> Ab jetzt sind %1 pro Tag möglich.</translation>
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
            <numerusform>%n s</numerusform>
            <numerusform>%n s</numerusform>
        </translation>
    </message>
    <message>
        <source>Rate Alerts...</source>
        <translation>Ratenalarme...</translation>
    </message>
    <message>
        <source>The rate alert settings of %1 hold values that cannot be used (%2); their defaults are used instead.</source>
        <translation>Die Ratenalarm-Einstellungen von %1 enthalten unbrauchbare Werte (%2); stattdessen gelten die Standardwerte.</translation>
    </message>
    <message>
        <source>%1: the download stays above %2</source>
        <translation>%1: Download bleibt über %2</translation>
    </message>
    <message>
        <source>%1: the upload stays above %2</source>
        <translation>%1: Upload bleibt über %2</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed above %2 for %3.</source>
        <translation>Die Downloadrate von %1 liegt seit %3 über %2.</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed above %2 for %3.</source>
        <translation>Die Uploadrate von %1 liegt seit %3 über %2.</translation>
    </message>
    <message>
        <source>%1: the download stalled</source>
        <translation>%1: Download ins Stocken geraten</translation>
    </message>
    <message>
        <source>%1: the upload stalled</source>
        <translation>%1: Upload ins Stocken geraten</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>Die Downloadrate von %1 liegt seit %3 unter %2, nachdem sie darüber lag.</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>Die Uploadrate von %1 liegt seit %3 unter %2, nachdem sie darüber lag.</translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation>
            <numerusform>%n min</numerusform>
            <numerusform>%n min</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qn::TTrayHint</name>
    <message>
        <source>%1: Download %2, Upload %3</source>
        <translation>%1: Download %2, Upload %3</translation>
    </message>
</context>
<context>
    <name>qn::TWatcherPanels</name>
    <message>
        <source>No interface is watched yet.
Tick one in View &gt; Interface View (Ctrl+I), or pick one in the Monitor menu.</source>
        <translation>Noch wird keine Schnittstelle überwacht.
Haken Sie eine unter Ansicht &gt; Schnittstellenliste (Strg+I) an
oder wählen Sie eine im Menü Überwachen.</translation>
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
        <translation>Nutzungsbedingungen

Quarno wird ohne Mängelgewähr bereitgestellt, ohne ausdrückliche oder stillschweigende Garantie jeglicher Art, einschließlich, aber nicht beschränkt auf die Garantie der Marktgängigkeit, der Eignung für einen bestimmten Zweck und der Nichtverletzung von Rechten. In keinem Fall haften die Autoren oder Veldo für Ansprüche, Schäden oder sonstige Haftung, die aus der Nutzung des Programms entstehen.

Quarno liest die Verkehrszähler, die das Betriebssystem für jede Netzwerkschnittstelle führt. Es zeichnet keinen Netzwerkverkehr auf, untersucht, speichert oder sendet ihn nicht und sendet keinerlei Daten über Sie oder Ihren Computer.

Die einzige Datei, die Quarno schreibt, ist seine Einstellungsdatei. Löschen Sie sie, um zu den ursprünglichen Einstellungen zurückzukehren.

Sie dürfen Quarno zu Hause und bei der Arbeit kostenlos nutzen und unveränderte Kopien an andere weitergeben, solange Sie nichts dafür verlangen. Sie dürfen es nicht verkaufen, vermieten oder in veränderter Form weitergeben.

Die von Quarno angezeigten Werte sind Messungen der Schnittstellenzähler, einmal pro Sekunde erfasst. Sie dienen der Information und eignen sich nicht zur Abrechnung.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_AdapterInfo</name>
    <message>
        <source>Alias:</source>
        <translation>Alias:</translation>
    </message>
    <message>
        <source>Max speed:</source>
        <translation>Bandbreite:</translation>
    </message>
    <message>
        <source>MTU size:</source>
        <translation>MTU-Größe:</translation>
    </message>
    <message>
        <source>MAC address:</source>
        <translation>MAC-Adresse:</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP-Adresse:</translation>
    </message>
    <message>
        <source>Subnet mask:</source>
        <translation>Subnetzmaske:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source> Device properties </source>
        <translation> Geräteeigenschaften </translation>
    </message>
    <message>
        <source>Failed to get data. Device is not available.</source>
        <translation>Keine Daten abrufbar. Das Gerät ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>%1 Mbps</source>
        <translation>%1 Mbit/s</translation>
    </message>
    <message>
        <source>%1 B</source>
        <translation>%1 B</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_History</name>
    <message>
        <source>Traffic History</source>
        <translation>Datenverlauf</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>CSV exportieren...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>No data cap is set (View &gt; Data Cap...).</source>
        <translation>Kein Datenlimit festgelegt (Ansicht &gt; Datenlimit...).</translation>
    </message>
    <message>
        <source>Data cap this %1</source>
        <translation>Datenlimit: %1</translation>
    </message>
    <message>
        <source>All interfaces</source>
        <translation>Alle Schnittstellen</translation>
    </message>
    <message>
        <source>Every interface</source>
        <translation>Jede Schnittstelle einzeln</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks (none has traffic yet); loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>Alle Schnittstellen: die Uplinks (noch ohne Datenverkehr); Loopback-, virtuelle und Tunnel-Schnittstellen werden nicht gezählt.</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks %1; loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>Alle Schnittstellen: die Uplinks %1; Loopback-, virtuelle und Tunnel-Schnittstellen werden nicht gezählt.</translation>
    </message>
    <message>
        <source>No traffic recorded yet.</source>
        <translation>Noch kein Datenverkehr aufgezeichnet.</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Anwendung</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>No application has been recorded in this period yet.</source>
        <translation>In diesem Zeitraum wurde noch keine Anwendung aufgezeichnet.</translation>
    </message>
    <message>
        <source>Most used by: %1.</source>
        <translation>Am meisten genutzt von: %1.</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>Nicht zugeordnet</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>Andere Programme dieser Sitzung</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Benutzer %1</translation>
    </message>
    <message>
        <source>Applications: no period chosen.</source>
        <translation>Anwendungen: kein Zeitraum gewählt.</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1: none recorded.</source>
        <translation>Anwendungen auf den Uplinks, %1: keine aufgezeichnet.</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1:</source>
        <translation>Anwendungen auf den Uplinks, %1:</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP wie QUIC und Anrufe, andere Protokolle, Container und virtuelle Maschinen, Verbindungen kürzer als eine Sekunde</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_Quota</name>
    <message>
        <source>Data Cap</source>
        <translation>Datenlimit</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
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
        <translation>Limit:</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Period:</source>
        <translation>Zeitraum:</translation>
    </message>
    <message>
        <source>Starts on day:</source>
        <translation>Beginnt am Tag:</translation>
    </message>
    <message>
        <source>Download and upload</source>
        <translation>Download und Upload</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>Counts:</source>
        <translation>Zählt:</translation>
    </message>
    <message>
        <source>no warnings</source>
        <translation>keine Warnungen</translation>
    </message>
    <message>
        <source>Warn at (%):</source>
        <translation>Warnen bei (%):</translation>
    </message>
    <message>
        <source>the uplinks</source>
        <translation>die Uplinks</translation>
    </message>
    <message>
        <source>Interfaces:</source>
        <translation>Schnittstellen:</translation>
    </message>
    <message>
        <source>Interfaces: names separated by commas; empty counts the uplinks (the physical interfaces and the default route&apos;s), never loopback, virtual or tunnel traffic.</source>
        <translation>Schnittstellen: Namen durch Kommas getrennt; leer zählt die Uplinks (die physischen Schnittstellen und die der Standardroute), nie Loopback-, virtuellen oder Tunnel-Verkehr.</translation>
    </message>
    <message>
        <source>Starts on (Monday = 1):</source>
        <translation>Beginnt am (Montag = 1):</translation>
    </message>
    <message>
        <source>The warning levels must be whole percentages from 1 to 1000, separated by commas.</source>
        <translation>Die Warnstufen müssen ganze Prozentwerte von 1 bis 1000 sein, durch Kommas getrennt.</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_RateAlerts</name>
    <message>
        <source>Rate Alerts: %1</source>
        <translation>Ratenalarme: %1</translation>
    </message>
    <message>
        <source>Alert when a rate stays above</source>
        <translation>Alarm, wenn eine Rate über dem Wert bleibt</translation>
    </message>
    <message>
        <source>Alert when a rate stays below, after it was above (a stalled transfer)</source>
        <translation>Alarm, wenn eine Rate unter den Wert fällt, nachdem sie darüber lag (stockende Übertragung)</translation>
    </message>
    <message>
        <source>Download and upload are watched apart. An alert is shown once when its condition begins, and again only after it ended.</source>
        <translation>Download und Upload werden getrennt überwacht. Ein Alarm erscheint einmal, wenn seine Bedingung eintritt, und erst nach ihrem Ende wieder.</translation>
    </message>
    <message>
        <source>KB/s</source>
        <translation>KB/s</translation>
    </message>
    <message>
        <source>MB/s</source>
        <translation>MB/s</translation>
    </message>
    <message>
        <source>for</source>
        <translation>für</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>min</source>
        <translation>min</translation>
    </message>
</context>
<context>
    <name>qn::Tfrm_qn_Watcher</name>
    <message>
        <source>%1 download current</source>
        <translation>%1 Download aktuell</translation>
    </message>
    <message>
        <source>%1 upload current</source>
        <translation>%1 Upload aktuell</translation>
    </message>
    <message>
        <source>%1 download maximum</source>
        <translation>%1 Download maximal</translation>
    </message>
    <message>
        <source>%1 upload maximum</source>
        <translation>%1 Upload maximal</translation>
    </message>
    <message>
        <source>%1 download total</source>
        <translation>%1 Download gesamt</translation>
    </message>
    <message>
        <source>%1 upload total</source>
        <translation>%1 Upload gesamt</translation>
    </message>
    <message>
        <source>%1 session download total</source>
        <translation>%1 Download der Sitzung gesamt</translation>
    </message>
    <message>
        <source>%1 session upload total</source>
        <translation>%1 Upload der Sitzung gesamt</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Aktuell</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Total transfer</source>
        <translation>Übertragen gesamt</translation>
    </message>
    <message>
        <source>Timestamp: </source>
        <translation>Zeitpunkt: </translation>
    </message>
    <message>
        <source>Value: </source>
        <translation>Wert: </translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Menge</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>Properties...</source>
        <translation>Eigenschaften...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>Session totals</source>
        <translation>Sitzung gesamt</translation>
    </message>
    <message>
        <source>%1 traffic chart</source>
        <translation>%1 Verkehrsdiagramm</translation>
    </message>
    <message>
        <source>%1 session totals</source>
        <translation>%1 Sitzung gesamt</translation>
    </message>
    <message>
        <source>Download %1, peak %2; upload %3, peak %4</source>
        <translation>Download %1, Spitze %2; Upload %3, Spitze %4</translation>
    </message>
    <message>
        <source>Download %1, upload %2</source>
        <translation>Download %1, Upload %2</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Clear session totals?</source>
        <translation>Summen der Sitzung zurücksetzen?</translation>
    </message>
</context>
<context>
    <name>qn::Twnd_qn_Apps</name>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>Traffic of each application now and this session, busiest first</source>
        <translation>Datenverkehr jeder Anwendung jetzt und in dieser Sitzung, die aktivste zuerst</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Anwendung</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Empfangen</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Counting per application is switched off (QUARNO_APPS=0).</source>
        <translation>Die Zählung je Anwendung ist ausgeschaltet (QUARNO_APPS=0).</translation>
    </message>
    <message>
        <source>This system does not tell which program a connection belongs to: all traffic is unattributed.</source>
        <translation>Dieses System gibt nicht an, zu welchem Programm eine Verbindung gehört: der gesamte Datenverkehr ist nicht zugeordnet.</translation>
    </message>
    <message>
        <source>No cgroup v2 hierarchy is mounted, so programs cannot be told apart: their traffic shows as this session&apos;s.</source>
        <translation>Es ist keine cgroup-v2-Hierarchie eingehängt, daher lassen sich Programme nicht unterscheiden: ihr Datenverkehr erscheint als der dieser Sitzung.</translation>
    </message>
    <message>
        <source>The kernel does not say which cgroup made a connection (Linux 5.8 and later do): traffic shows as this session&apos;s.</source>
        <translation>Der Kernel gibt nicht an, welche cgroup eine Verbindung geöffnet hat (ab Linux 5.8 schon): der Datenverkehr erscheint als der dieser Sitzung.</translation>
    </message>
    <message>
        <source>The desktop does not start applications in units of their own, so their traffic shows as this session&apos;s.</source>
        <translation>Die Arbeitsumgebung startet Anwendungen nicht in eigenen Units, daher erscheint ihr Datenverkehr als der dieser Sitzung.</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>Andere Programme dieser Sitzung</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Benutzer %1</translation>
    </message>
    <message>
        <source>Also uses UDP, which cannot be counted</source>
        <translation>Nutzt auch UDP, das nicht gezählt werden kann</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>Nicht zugeordnet</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP wie QUIC und Anrufe, andere Protokolle, Container und virtuelle Maschinen, Verbindungen kürzer als eine Sekunde</translation>
    </message>
    <message>
        <source>No traffic on the uplinks yet.</source>
        <translation>Noch kein Datenverkehr auf den Uplinks.</translation>
    </message>
    <message>
        <source>Applications account for %1% of the uplinks&apos; traffic.</source>
        <translation>Die Anwendungen machen %1% des Datenverkehrs der Uplinks aus.</translation>
    </message>
</context>
</TS>
