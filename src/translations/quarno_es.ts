<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>qn::THistoryChart</name>
    <message>
        <source>Traffic history chart</source>
        <translation>Gráfico del historial de tráfico</translation>
    </message>
    <message>
        <source>No traffic recorded</source>
        <translation>No hay tráfico registrado</translation>
    </message>
    <message>
        <source>%1 bars from %2 to %3; the largest %4 on %5</source>
        <translation>%1 barras del %2 al %3; la mayor, %4 el %5</translation>
    </message>
    <message>
        <source>%1
Download %2
Upload %3
Total %4</source>
        <translation>%1
Descarga %2
Subida %3
Total %4</translation>
    </message>
</context>
<context>
    <name>qn::THistoryMessages</name>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1.</source>
        <translation>El historial de tráfico ya no se registra: no se puede escribir en %1.</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: the disk is full (%1).</source>
        <translation>El historial de tráfico ya no se registra: el disco está lleno (%1).</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1 was written by a newer version of Quarno.</source>
        <translation>El historial de tráfico ya no se registra: %1 fue escrito por una versión más reciente de Quarno.</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1 (%2).</source>
        <translation>El historial de tráfico ya no se registra: no se puede escribir en %1 (%2).</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1.</source>
        <translation>El historial de tráfico ya no se registra: %1.</translation>
    </message>
    <message>
        <source>The traffic history file was damaged and has been moved to %1. A new history has been started.</source>
        <translation>El archivo del historial de tráfico estaba dañado y se ha movido a %1. Se ha empezado un historial nuevo.</translation>
    </message>
    <message>
        <source>The data cap settings hold values that cannot be used (%1); their defaults are used instead.</source>
        <translation>La configuración del límite de datos contiene valores no válidos (%1); se usan sus valores predeterminados.</translation>
    </message>
</context>
<context>
    <name>qn::TIntfListModel</name>
    <message>
        <source>Interface</source>
        <translation>Interfaz</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Subida</translation>
    </message>
</context>
<context>
    <name>qn::TMainActions</name>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Acerca de...</translation>
    </message>
    <message>
        <source>Always Visible</source>
        <translation>Siempre visible</translation>
    </message>
    <message>
        <source>Interface View</source>
        <translation>Lista de interfaces</translation>
    </message>
    <message>
        <source>Window Caption</source>
        <translation>Barra de título</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ocultar</translation>
    </message>
    <message>
        <source>Only Operational Interfaces</source>
        <translation>Solo interfaces operativas</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Persistent layout and settings</source>
        <translation>Conservar disposición y configuración</translation>
    </message>
    <message>
        <source>Traffic History...</source>
        <translation>Historial de tráfico...</translation>
    </message>
    <message>
        <source>Data Cap...</source>
        <translation>Límite de datos...</translation>
    </message>
    <message>
        <source>Traffic in Tray Icon</source>
        <translation>Tráfico en el icono de la bandeja</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Cierra la aplicación</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Monitorizar</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ver</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Applications...</source>
        <translation>Aplicaciones...</translation>
    </message>
</context>
<context>
    <name>qn::TMainComponents</name>
    <message>
        <source>Interfaces</source>
        <translation>Interfaces</translation>
    </message>
</context>
<context>
    <name>qn::TNetworkConfiguration</name>
    <message>
        <source>Other</source>
        <translation>Otro</translation>
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
        <translation>Bucle local</translation>
    </message>
    <message>
        <source>ATM</source>
        <translation>ATM</translation>
    </message>
    <message>
        <source>IEEE 802.11 wireless</source>
        <translation>Inalámbrica IEEE 802.11</translation>
    </message>
    <message>
        <source>Tunnel encapsulation</source>
        <translation>Encapsulación de túnel</translation>
    </message>
    <message>
        <source>IEEE 1394 (Firewire) high performance serial bus</source>
        <translation>IEEE 1394 (FireWire), bus serie de alto rendimiento</translation>
    </message>
    <message>
        <source>Mobile broadband for WiMax</source>
        <translation>Banda ancha móvil (WiMAX)</translation>
    </message>
    <message>
        <source>Mobile broadband for GSM</source>
        <translation>Banda ancha móvil (GSM)</translation>
    </message>
    <message>
        <source>Mobile broadband for CDMA</source>
        <translation>Banda ancha móvil (CDMA)</translation>
    </message>
    <message>
        <source>Non Operational</source>
        <translation>No operativa</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Inalcanzable</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Desconectada</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Conectando</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Conectada</translation>
    </message>
    <message>
        <source>Operational</source>
        <translation>Operativa</translation>
    </message>
</context>
<context>
    <name>qn::TQuotaText</name>
    <message>
        <source>day</source>
        <translation>día</translation>
    </message>
    <message>
        <source>week</source>
        <translation>semana</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mes</translation>
    </message>
    <message>
        <source>The data cap will run out before the day ends</source>
        <translation>El límite de datos se agotará antes de que acabe el día</translation>
    </message>
    <message>
        <source>The data cap will run out before the week ends</source>
        <translation>El límite de datos se agotará antes de que acabe la semana</translation>
    </message>
    <message>
        <source>The data cap will run out before the month ends</source>
        <translation>El límite de datos se agotará antes de que acabe el mes</translation>
    </message>
    <message>
        <source>%1 this day, %2 left.</source>
        <translation>%1 este día, quedan %2.</translation>
    </message>
    <message>
        <source>%1 this week, %2 left.</source>
        <translation>%1 esta semana, quedan %2.</translation>
    </message>
    <message>
        <source>%1 this month, %2 left.</source>
        <translation>%1 este mes, quedan %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n day</source>
        <translation>
            <numerusform>%n día</numerusform>
            <numerusform>%n días</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n día</numerusform>
            <numerusform>%n días</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2, %3 left</source>
        <translation>%1 %2, quedan %3</translation>
    </message>
    <message>
        <source>%1 from %2 to %3, %4 left</source>
        <translation>%1 del %2 al %3, quedan %4</translation>
    </message>
    <message>
        <source>%1 of %2 (%3 %)</source>
        <translation>%1 de %2 (%3 %)</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); the cap is reached.</source>
        <translation>Ritmo de %1 al día (%2 al final del periodo); se ha alcanzado el límite.</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); %3 a day may be used from now on.</source>
        <translation>Ritmo de %1 al día (%2 al final del periodo); a partir de ahora se pueden usar %3 al día.</translation>
    </message>
    <message>
        <source>The history starts on %1: what was used before is not counted.</source>
        <translation>El historial empieza el %1: lo consumido antes no se cuenta.</translation>
    </message>
    <message>
        <source>At this pace %1 of %2 will be used by %3. %4 a day keeps within the cap.</source>
        <translation>A este ritmo se habrán consumido %1 de %2 el %3. Con %4 al día no se supera el límite.</translation>
    </message>
    <message>
        <source>The data cap is used up</source>
        <translation>El límite de datos se ha agotado</translation>
    </message>
    <message>
        <source>%1 % of the data cap is used</source>
        <translation>Se ha consumido el %1 % del límite de datos</translation>
    </message>
    <message>
        <source> %1 a day may be used from now on.</source>
        <translation> A partir de ahora se pueden usar %1 al día.</translation>
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
        <translation>Alertas de velocidad...</translation>
    </message>
    <message>
        <source>The rate alert settings of %1 hold values that cannot be used (%2); their defaults are used instead.</source>
        <translation>La configuración de alertas de velocidad de %1 contiene valores no válidos (%2); se usan sus valores predeterminados.</translation>
    </message>
    <message>
        <source>%1: the download stays above %2</source>
        <translation>%1: la descarga sigue por encima de %2</translation>
    </message>
    <message>
        <source>%1: the upload stays above %2</source>
        <translation>%1: la subida sigue por encima de %2</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed above %2 for %3.</source>
        <translation>La velocidad de descarga de %1 lleva %3 por encima de %2.</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed above %2 for %3.</source>
        <translation>La velocidad de subida de %1 lleva %3 por encima de %2.</translation>
    </message>
    <message>
        <source>%1: the download stalled</source>
        <translation>%1: la descarga se ha detenido</translation>
    </message>
    <message>
        <source>%1: the upload stalled</source>
        <translation>%1: la subida se ha detenido</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>La velocidad de descarga de %1 lleva %3 por debajo de %2 después de haber estado por encima.</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>La velocidad de subida de %1 lleva %3 por debajo de %2 después de haber estado por encima.</translation>
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
        <translation>%1: descarga %2, subida %3</translation>
    </message>
</context>
<context>
    <name>qn::TWatcherPanels</name>
    <message>
        <source>No interface is watched yet.
Tick one in View &gt; Interface View (Ctrl+I), or pick one in the Monitor menu.</source>
        <translation>Todavía no se vigila ninguna interfaz.
Marque una en Ver &gt; Lista de interfaces (Ctrl+I)
o elija una en el menú Monitorizar.</translation>
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
        <translation>Condiciones de uso

Quarno se ofrece «tal cual», sin garantía de ningún tipo, expresa o implícita, incluidas, entre otras, las garantías de comerciabilidad, idoneidad para un fin determinado y no infracción. En ningún caso los autores ni Veldo serán responsables de ninguna reclamación, daño u otra responsabilidad derivada del uso del programa.

Quarno lee los contadores de tráfico que el sistema operativo lleva para cada interfaz de red. No captura, inspecciona, almacena ni envía tráfico de red, y no envía a ninguna parte datos sobre usted o su equipo.

El único archivo que escribe Quarno es su archivo de configuración. Bórrelo para volver a la configuración original.

Puede usar Quarno gratis en casa y en el trabajo, y dar copias sin modificar a otras personas, siempre que no pida nada a cambio. No puede venderlo, alquilarlo ni distribuirlo modificado.

Las cifras que muestra Quarno son mediciones de los contadores de las interfaces tomadas una vez por segundo. Son orientativas; no sirven para facturar.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
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
        <translation>Velocidad:</translation>
    </message>
    <message>
        <source>MTU size:</source>
        <translation>Tamaño MTU:</translation>
    </message>
    <message>
        <source>MAC address:</source>
        <translation>Dirección MAC:</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>Dirección IP:</translation>
    </message>
    <message>
        <source>Subnet mask:</source>
        <translation>Máscara:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Tipo:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Estado:</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propiedades</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source> Device properties </source>
        <translation> Propiedades del dispositivo </translation>
    </message>
    <message>
        <source>Failed to get data. Device is not available.</source>
        <translation>No se pudieron obtener los datos. El dispositivo no está disponible.</translation>
    </message>
    <message>
        <source>%1 Mbps</source>
        <translation>%1 Mbps</translation>
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
        <translation>Historial de tráfico</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Horas</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Días</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Meses</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Años</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Periodo</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Subida</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>Exportar CSV...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exportar CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>No data cap is set (View &gt; Data Cap...).</source>
        <translation>No hay ningún límite de datos (Ver &gt; Límite de datos...).</translation>
    </message>
    <message>
        <source>Data cap this %1</source>
        <translation>Límite de datos: %1</translation>
    </message>
    <message>
        <source>All interfaces</source>
        <translation>Todas las interfaces</translation>
    </message>
    <message>
        <source>Every interface</source>
        <translation>Cada interfaz</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks (none has traffic yet); loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>Todas las interfaces: los enlaces de salida (ninguno tiene tráfico aún); no se cuentan las interfaces de bucle local, virtuales ni de túnel.</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks %1; loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>Todas las interfaces: los enlaces de salida %1; no se cuentan las interfaces de bucle local, virtuales ni de túnel.</translation>
    </message>
    <message>
        <source>No traffic recorded yet.</source>
        <translation>Todavía no hay tráfico registrado.</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>No se puede escribir en %1</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Aplicación</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Aplicaciones</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>No application has been recorded in this period yet.</source>
        <translation>Aún no se ha registrado ninguna aplicación en este período.</translation>
    </message>
    <message>
        <source>Most used by: %1.</source>
        <translation>Las que más lo usaron: %1.</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>Sin atribuir</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>Otros programas de esta sesión</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Usuario %1</translation>
    </message>
    <message>
        <source>Applications: no period chosen.</source>
        <translation>Aplicaciones: no se ha elegido ningún período.</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1: none recorded.</source>
        <translation>Aplicaciones en los enlaces de salida, %1: ninguna registrada.</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1:</source>
        <translation>Aplicaciones en los enlaces de salida, %1:</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP como QUIC y las llamadas, otros protocolos, contenedores y máquinas virtuales, conexiones de menos de un segundo</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_Quota</name>
    <message>
        <source>Data Cap</source>
        <translation>Límite de datos</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desactivado</translation>
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
        <translation>Límite:</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Día</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Semana</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mes</translation>
    </message>
    <message>
        <source>Period:</source>
        <translation>Periodo:</translation>
    </message>
    <message>
        <source>Starts on day:</source>
        <translation>Empieza el día:</translation>
    </message>
    <message>
        <source>Download and upload</source>
        <translation>Descarga y subida</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Subida</translation>
    </message>
    <message>
        <source>Counts:</source>
        <translation>Cuenta:</translation>
    </message>
    <message>
        <source>no warnings</source>
        <translation>sin avisos</translation>
    </message>
    <message>
        <source>Warn at (%):</source>
        <translation>Avisar al (%):</translation>
    </message>
    <message>
        <source>the uplinks</source>
        <translation>los enlaces de salida</translation>
    </message>
    <message>
        <source>Interfaces:</source>
        <translation>Interfaces:</translation>
    </message>
    <message>
        <source>Interfaces: names separated by commas; empty counts the uplinks (the physical interfaces and the default route&apos;s), never loopback, virtual or tunnel traffic.</source>
        <translation>Interfaces: nombres separados por comas; si está vacío se cuentan los enlaces de salida (las interfaces físicas y la de la ruta predeterminada), nunca el tráfico de bucle local, virtual o de túnel.</translation>
    </message>
    <message>
        <source>Starts on (Monday = 1):</source>
        <translation>Empieza el (lunes = 1):</translation>
    </message>
    <message>
        <source>The warning levels must be whole percentages from 1 to 1000, separated by commas.</source>
        <translation>Los niveles de aviso deben ser porcentajes enteros de 1 a 1000, separados por comas.</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_RateAlerts</name>
    <message>
        <source>Rate Alerts: %1</source>
        <translation>Alertas de velocidad: %1</translation>
    </message>
    <message>
        <source>Alert when a rate stays above</source>
        <translation>Avisar cuando una velocidad se mantenga por encima de</translation>
    </message>
    <message>
        <source>Alert when a rate stays below, after it was above (a stalled transfer)</source>
        <translation>Avisar cuando una velocidad se mantenga por debajo tras haber estado por encima (transferencia detenida)</translation>
    </message>
    <message>
        <source>Download and upload are watched apart. An alert is shown once when its condition begins, and again only after it ended.</source>
        <translation>La descarga y la subida se vigilan por separado. Una alerta se muestra una vez cuando empieza su condición, y de nuevo solo cuando esta ha terminado.</translation>
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
        <translation>durante</translation>
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
        <translation>%1 descarga actual</translation>
    </message>
    <message>
        <source>%1 upload current</source>
        <translation>%1 subida actual</translation>
    </message>
    <message>
        <source>%1 download maximum</source>
        <translation>%1 descarga máxima</translation>
    </message>
    <message>
        <source>%1 upload maximum</source>
        <translation>%1 subida máxima</translation>
    </message>
    <message>
        <source>%1 download total</source>
        <translation>%1 descarga total</translation>
    </message>
    <message>
        <source>%1 upload total</source>
        <translation>%1 subida total</translation>
    </message>
    <message>
        <source>%1 session download total</source>
        <translation>%1 descarga total de la sesión</translation>
    </message>
    <message>
        <source>%1 session upload total</source>
        <translation>%1 subida total de la sesión</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Actual</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Máx.</translation>
    </message>
    <message>
        <source>Total transfer</source>
        <translation>Total transferido</translation>
    </message>
    <message>
        <source>Timestamp: </source>
        <translation>Momento: </translation>
    </message>
    <message>
        <source>Value: </source>
        <translation>Valor: </translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Velocidad</translation>
    </message>
    <message>
        <source>Properties...</source>
        <translation>Propiedades...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Subida</translation>
    </message>
    <message>
        <source>Session totals</source>
        <translation>Total sesión</translation>
    </message>
    <message>
        <source>%1 traffic chart</source>
        <translation>%1 gráfico de tráfico</translation>
    </message>
    <message>
        <source>%1 session totals</source>
        <translation>%1 totales de sesión</translation>
    </message>
    <message>
        <source>Download %1, peak %2; upload %3, peak %4</source>
        <translation>Descarga %1, pico %2; subida %3, pico %4</translation>
    </message>
    <message>
        <source>Download %1, upload %2</source>
        <translation>Descarga %1, subida %2</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmación</translation>
    </message>
    <message>
        <source>Clear session totals?</source>
        <translation>¿Poner a cero los totales de la sesión?</translation>
    </message>
</context>
<context>
    <name>qn::Twnd_qn_Apps</name>
    <message>
        <source>Applications</source>
        <translation>Aplicaciones</translation>
    </message>
    <message>
        <source>Traffic of each application now and this session, busiest first</source>
        <translation>Tráfico de cada aplicación ahora y en esta sesión, la más activa primero</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Aplicación</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Subida</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Descargado</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Subido</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Counting per application is switched off (QUARNO_APPS=0).</source>
        <translation>El recuento por aplicación está desactivado (QUARNO_APPS=0).</translation>
    </message>
    <message>
        <source>This system does not tell which program a connection belongs to: all traffic is unattributed.</source>
        <translation>Este sistema no indica a qué programa pertenece una conexión: todo el tráfico queda sin atribuir.</translation>
    </message>
    <message>
        <source>No cgroup v2 hierarchy is mounted, so programs cannot be told apart: their traffic shows as this session&apos;s.</source>
        <translation>No hay ninguna jerarquía cgroup v2 montada, así que los programas no se pueden distinguir: su tráfico aparece como el de esta sesión.</translation>
    </message>
    <message>
        <source>The kernel does not say which cgroup made a connection (Linux 5.8 and later do): traffic shows as this session&apos;s.</source>
        <translation>El núcleo no indica qué cgroup abrió una conexión (Linux 5.8 y posteriores sí): el tráfico aparece como el de esta sesión.</translation>
    </message>
    <message>
        <source>The desktop does not start applications in units of their own, so their traffic shows as this session&apos;s.</source>
        <translation>El escritorio no inicia las aplicaciones en unidades propias, así que su tráfico aparece como el de esta sesión.</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>Otros programas de esta sesión</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Usuario %1</translation>
    </message>
    <message>
        <source>Also uses UDP, which cannot be counted</source>
        <translation>También usa UDP, que no se puede contar</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>Sin atribuir</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP como QUIC y las llamadas, otros protocolos, contenedores y máquinas virtuales, conexiones de menos de un segundo</translation>
    </message>
    <message>
        <source>No traffic on the uplinks yet.</source>
        <translation>Todavía no hay tráfico en los enlaces de salida.</translation>
    </message>
    <message>
        <source>Applications account for %1% of the uplinks&apos; traffic.</source>
        <translation>Las aplicaciones suponen el %1% del tráfico de los enlaces de salida.</translation>
    </message>
</context>
</TS>
