<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>qn::THistoryChart</name>
    <message>
        <source>Traffic history chart</source>
        <translation>Gráfico do histórico de tráfego</translation>
    </message>
    <message>
        <source>No traffic recorded</source>
        <translation>Nenhum tráfego registrado</translation>
    </message>
    <message>
        <source>%1 bars from %2 to %3; the largest %4 on %5</source>
        <translation>%1 barras de %2 a %3; a maior, %4 em %5</translation>
    </message>
    <message>
        <source>%1
Download %2
Upload %3
Total %4</source>
        <translation>%1
Download %2
Upload %3
Total %4</translation>
    </message>
</context>
<context>
    <name>qn::THistoryMessages</name>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1.</source>
        <translation>O histórico de tráfego não é mais registrado: não foi possível gravar em %1.</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: the disk is full (%1).</source>
        <translation>O histórico de tráfego não é mais registrado: o disco está cheio (%1).</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1 was written by a newer version of Quarno.</source>
        <translation>O histórico de tráfego não é mais registrado: %1 foi gravado por uma versão mais nova do Quarno.</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1 (%2).</source>
        <translation>O histórico de tráfego não é mais registrado: não foi possível gravar em %1 (%2).</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1.</source>
        <translation>O histórico de tráfego não é mais registrado: %1.</translation>
    </message>
    <message>
        <source>The traffic history file was damaged and has been moved to %1. A new history has been started.</source>
        <translation>O arquivo do histórico de tráfego estava danificado e foi movido para %1. Um novo histórico foi iniciado.</translation>
    </message>
    <message>
        <source>The data cap settings hold values that cannot be used (%1); their defaults are used instead.</source>
        <translation>As configurações da franquia de dados contêm valores inválidos (%1); os valores padrão são usados no lugar.</translation>
    </message>
</context>
<context>
    <name>qn::TIntfListModel</name>
    <message>
        <source>Interface</source>
        <translation>Interface</translation>
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
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Sobre...</translation>
    </message>
    <message>
        <source>Always Visible</source>
        <translation>Sempre visível</translation>
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
        <translation>Somente interfaces operacionais</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Atualizar</translation>
    </message>
    <message>
        <source>Persistent layout and settings</source>
        <translation>Manter layout e configurações</translation>
    </message>
    <message>
        <source>Traffic History...</source>
        <translation>Histórico de tráfego...</translation>
    </message>
    <message>
        <source>Data Cap...</source>
        <translation>Franquia de dados...</translation>
    </message>
    <message>
        <source>Traffic in Tray Icon</source>
        <translation>Tráfego no ícone da bandeja</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Encerra o aplicativo</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Arquivo</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Monitorar</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Exibir</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>Applications...</source>
        <translation>Aplicativos...</translation>
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
        <translation>Outro</translation>
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
        <translation>Sem fio IEEE 802.11</translation>
    </message>
    <message>
        <source>Tunnel encapsulation</source>
        <translation>Encapsulamento de túnel</translation>
    </message>
    <message>
        <source>IEEE 1394 (Firewire) high performance serial bus</source>
        <translation>IEEE 1394 (FireWire), barramento serial de alto desempenho</translation>
    </message>
    <message>
        <source>Mobile broadband for WiMax</source>
        <translation>Banda larga móvel (WiMAX)</translation>
    </message>
    <message>
        <source>Mobile broadband for GSM</source>
        <translation>Banda larga móvel (GSM)</translation>
    </message>
    <message>
        <source>Mobile broadband for CDMA</source>
        <translation>Banda larga móvel (CDMA)</translation>
    </message>
    <message>
        <source>Non Operational</source>
        <translation>Não operacional</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Inacessível</translation>
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
        <translation>Operacional</translation>
    </message>
</context>
<context>
    <name>qn::TQuotaText</name>
    <message>
        <source>day</source>
        <translation>dia</translation>
    </message>
    <message>
        <source>week</source>
        <translation>semana</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mês</translation>
    </message>
    <message>
        <source>The data cap will run out before the day ends</source>
        <translation>A franquia de dados vai acabar antes do fim do dia</translation>
    </message>
    <message>
        <source>The data cap will run out before the week ends</source>
        <translation>A franquia de dados vai acabar antes do fim da semana</translation>
    </message>
    <message>
        <source>The data cap will run out before the month ends</source>
        <translation>A franquia de dados vai acabar antes do fim do mês</translation>
    </message>
    <message>
        <source>%1 this day, %2 left.</source>
        <translation>%1 neste dia, restam %2.</translation>
    </message>
    <message>
        <source>%1 this week, %2 left.</source>
        <translation>%1 nesta semana, restam %2.</translation>
    </message>
    <message>
        <source>%1 this month, %2 left.</source>
        <translation>%1 neste mês, restam %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n day</source>
        <translation>
            <numerusform>%n dia</numerusform>
            <numerusform>%n dias</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n dia</numerusform>
            <numerusform>%n dias</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2, %3 left</source>
        <translation>%1 %2, restam %3</translation>
    </message>
    <message>
        <source>%1 from %2 to %3, %4 left</source>
        <translation>%1 de %2 a %3, restam %4</translation>
    </message>
    <message>
        <source>%1 of %2 (%3 %)</source>
        <translation>%1 de %2 (%3 %)</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); the cap is reached.</source>
        <translation>Ritmo de %1 por dia (%2 até o fim do período); a franquia foi atingida.</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); %3 a day may be used from now on.</source>
        <translation>Ritmo de %1 por dia (%2 até o fim do período); de agora em diante podem ser usados %3 por dia.</translation>
    </message>
    <message>
        <source>The history starts on %1: what was used before is not counted.</source>
        <translation>O histórico começa em %1: o que foi usado antes não é contado.</translation>
    </message>
    <message>
        <source>At this pace %1 of %2 will be used by %3. %4 a day keeps within the cap.</source>
        <translation>Nesse ritmo, %1 de %2 serão usados até %3. Com %4 por dia, a franquia é respeitada.</translation>
    </message>
    <message>
        <source>The data cap is used up</source>
        <translation>A franquia de dados acabou</translation>
    </message>
    <message>
        <source>%1 % of the data cap is used</source>
        <translation>%1 % da franquia de dados foi usado</translation>
    </message>
    <message>
        <source> %1 a day may be used from now on.</source>
        <translation> De agora em diante podem ser usados %1 por dia.</translation>
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
        <translation>Alertas de taxa...</translation>
    </message>
    <message>
        <source>The rate alert settings of %1 hold values that cannot be used (%2); their defaults are used instead.</source>
        <translation>As configurações de alertas de taxa de %1 contêm valores inválidos (%2); os valores padrão são usados no lugar.</translation>
    </message>
    <message>
        <source>%1: the download stays above %2</source>
        <translation>%1: o download continua acima de %2</translation>
    </message>
    <message>
        <source>%1: the upload stays above %2</source>
        <translation>%1: o upload continua acima de %2</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed above %2 for %3.</source>
        <translation>A taxa de download de %1 ficou acima de %2 por %3.</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed above %2 for %3.</source>
        <translation>A taxa de upload de %1 ficou acima de %2 por %3.</translation>
    </message>
    <message>
        <source>%1: the download stalled</source>
        <translation>%1: o download parou</translation>
    </message>
    <message>
        <source>%1: the upload stalled</source>
        <translation>%1: o upload parou</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>A taxa de download de %1 ficou abaixo de %2 por %3 depois de ter ficado acima.</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>A taxa de upload de %1 ficou abaixo de %2 por %3 depois de ter ficado acima.</translation>
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
        <translation>%1: download %2, upload %3</translation>
    </message>
</context>
<context>
    <name>qn::TWatcherPanels</name>
    <message>
        <source>No interface is watched yet.
Tick one in View &gt; Interface View (Ctrl+I), or pick one in the Monitor menu.</source>
        <translation>Nenhuma interface está sendo monitorada.
Marque uma em Exibir &gt; Lista de interfaces (Ctrl+I)
ou escolha uma no menu Monitorar.</translation>
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
        <translation>Termos de uso

O Quarno é fornecido no estado em que se encontra, sem garantia de qualquer tipo, expressa ou implícita, incluindo, entre outras, as garantias de comercialização, adequação a uma finalidade específica e não violação. Em nenhum caso os autores ou a Veldo serão responsáveis por qualquer reclamação, dano ou outra responsabilidade decorrente do uso do programa.

O Quarno lê os contadores de tráfego que o sistema operacional mantém para cada interface de rede. Ele não captura, inspeciona, armazena nem envia tráfego de rede, e não envia dados sobre você ou seu computador para lugar nenhum.

O único arquivo que o Quarno grava é o seu arquivo de configurações. Apague-o para voltar às configurações originais.

Você pode usar o Quarno gratuitamente em casa e no trabalho e dar cópias inalteradas a outras pessoas, desde que não peça nada em troca. Você não pode vendê-lo, alugá-lo nem distribuí-lo modificado.

Os números que o Quarno mostra são medições dos contadores das interfaces feitas uma vez por segundo. Eles servem de informação; não são adequados para cobrança.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versão</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_AdapterInfo</name>
    <message>
        <source>Alias:</source>
        <translation>Apelido:</translation>
    </message>
    <message>
        <source>Max speed:</source>
        <translation>Velocidade:</translation>
    </message>
    <message>
        <source>MTU size:</source>
        <translation>Tamanho MTU:</translation>
    </message>
    <message>
        <source>MAC address:</source>
        <translation>Endereço MAC:</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>Endereço IP:</translation>
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
        <translation>Propriedades</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Geral</translation>
    </message>
    <message>
        <source> Device properties </source>
        <translation> Propriedades do dispositivo </translation>
    </message>
    <message>
        <source>Failed to get data. Device is not available.</source>
        <translation>Não foi possível obter os dados. O dispositivo não está disponível.</translation>
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
        <translation>Histórico de tráfego</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Horas</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Dias</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Meses</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Anos</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Período</translation>
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
        <translation>Total</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>Exportar CSV...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exportar CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Arquivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>No data cap is set (View &gt; Data Cap...).</source>
        <translation>Nenhuma franquia de dados definida (Exibir &gt; Franquia de dados...).</translation>
    </message>
    <message>
        <source>Data cap this %1</source>
        <translation>Franquia de dados: %1</translation>
    </message>
    <message>
        <source>All interfaces</source>
        <translation>Todas as interfaces</translation>
    </message>
    <message>
        <source>Every interface</source>
        <translation>Cada interface</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks (none has traffic yet); loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>Todas as interfaces: os uplinks (nenhum tem tráfego ainda); interfaces de loopback, virtuais e de túnel não são contadas.</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks %1; loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>Todas as interfaces: os uplinks %1; interfaces de loopback, virtuais e de túnel não são contadas.</translation>
    </message>
    <message>
        <source>No traffic recorded yet.</source>
        <translation>Nenhum tráfego registrado ainda.</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Não foi possível gravar em %1</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Aplicativo</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Aplicativos</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>No application has been recorded in this period yet.</source>
        <translation>Nenhum aplicativo foi registrado neste período ainda.</translation>
    </message>
    <message>
        <source>Most used by: %1.</source>
        <translation>Os que mais usaram: %1.</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>Não atribuído</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>Outros programas desta sessão</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Usuário %1</translation>
    </message>
    <message>
        <source>Applications: no period chosen.</source>
        <translation>Aplicativos: nenhum período escolhido.</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1: none recorded.</source>
        <translation>Aplicativos nos links de saída, %1: nenhum registrado.</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1:</source>
        <translation>Aplicativos nos links de saída, %1:</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP como QUIC e chamadas, outros protocolos, contêineres e máquinas virtuais, conexões com menos de um segundo</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_Quota</name>
    <message>
        <source>Data Cap</source>
        <translation>Franquia de dados</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desligada</translation>
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
        <translation>Limite:</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Dia</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Semana</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mês</translation>
    </message>
    <message>
        <source>Period:</source>
        <translation>Período:</translation>
    </message>
    <message>
        <source>Starts on day:</source>
        <translation>Começa no dia:</translation>
    </message>
    <message>
        <source>Download and upload</source>
        <translation>Download e upload</translation>
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
        <translation>Conta:</translation>
    </message>
    <message>
        <source>no warnings</source>
        <translation>sem avisos</translation>
    </message>
    <message>
        <source>Warn at (%):</source>
        <translation>Avisar em (%):</translation>
    </message>
    <message>
        <source>the uplinks</source>
        <translation>os uplinks</translation>
    </message>
    <message>
        <source>Interfaces:</source>
        <translation>Interfaces:</translation>
    </message>
    <message>
        <source>Interfaces: names separated by commas; empty counts the uplinks (the physical interfaces and the default route&apos;s), never loopback, virtual or tunnel traffic.</source>
        <translation>Interfaces: nomes separados por vírgulas; vazio conta os uplinks (as interfaces físicas e a da rota padrão), nunca tráfego de loopback, virtual ou de túnel.</translation>
    </message>
    <message>
        <source>Starts on (Monday = 1):</source>
        <translation>Começa em (segunda = 1):</translation>
    </message>
    <message>
        <source>The warning levels must be whole percentages from 1 to 1000, separated by commas.</source>
        <translation>Os níveis de aviso devem ser porcentagens inteiras de 1 a 1000, separadas por vírgulas.</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_RateAlerts</name>
    <message>
        <source>Rate Alerts: %1</source>
        <translation>Alertas de taxa: %1</translation>
    </message>
    <message>
        <source>Alert when a rate stays above</source>
        <translation>Alertar quando uma taxa ficar acima de</translation>
    </message>
    <message>
        <source>Alert when a rate stays below, after it was above (a stalled transfer)</source>
        <translation>Alertar quando uma taxa ficar abaixo depois de ter ficado acima (transferência parada)</translation>
    </message>
    <message>
        <source>Download and upload are watched apart. An alert is shown once when its condition begins, and again only after it ended.</source>
        <translation>Download e upload são monitorados separadamente. Um alerta aparece uma vez quando sua condição começa, e de novo somente depois que ela terminar.</translation>
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
        <translation>por</translation>
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
        <translation>%1 download atual</translation>
    </message>
    <message>
        <source>%1 upload current</source>
        <translation>%1 upload atual</translation>
    </message>
    <message>
        <source>%1 download maximum</source>
        <translation>%1 download máximo</translation>
    </message>
    <message>
        <source>%1 upload maximum</source>
        <translation>%1 upload máximo</translation>
    </message>
    <message>
        <source>%1 download total</source>
        <translation>%1 download total</translation>
    </message>
    <message>
        <source>%1 upload total</source>
        <translation>%1 upload total</translation>
    </message>
    <message>
        <source>%1 session download total</source>
        <translation>%1 download total da sessão</translation>
    </message>
    <message>
        <source>%1 session upload total</source>
        <translation>%1 upload total da sessão</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Atual</translation>
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
        <translation>Horário: </translation>
    </message>
    <message>
        <source>Value: </source>
        <translation>Valor: </translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Velocidade</translation>
    </message>
    <message>
        <source>Properties...</source>
        <translation>Propriedades...</translation>
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
        <translation>Total sessão</translation>
    </message>
    <message>
        <source>%1 traffic chart</source>
        <translation>%1 gráfico de tráfego</translation>
    </message>
    <message>
        <source>%1 session totals</source>
        <translation>%1 totais da sessão</translation>
    </message>
    <message>
        <source>Download %1, peak %2; upload %3, peak %4</source>
        <translation>Download %1, pico %2; upload %3, pico %4</translation>
    </message>
    <message>
        <source>Download %1, upload %2</source>
        <translation>Download %1, upload %2</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmação</translation>
    </message>
    <message>
        <source>Clear session totals?</source>
        <translation>Zerar os totais da sessão?</translation>
    </message>
</context>
<context>
    <name>qn::Twnd_qn_Apps</name>
    <message>
        <source>Applications</source>
        <translation>Aplicativos</translation>
    </message>
    <message>
        <source>Traffic of each application now and this session, busiest first</source>
        <translation>Tráfego de cada aplicativo agora e nesta sessão, o mais ativo primeiro</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Aplicativo</translation>
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
        <translation>Recebido</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Enviado</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Observação</translation>
    </message>
    <message>
        <source>Counting per application is switched off (QUARNO_APPS=0).</source>
        <translation>A contagem por aplicativo está desativada (QUARNO_APPS=0).</translation>
    </message>
    <message>
        <source>This system does not tell which program a connection belongs to: all traffic is unattributed.</source>
        <translation>Este sistema não informa a qual programa uma conexão pertence: todo o tráfego fica não atribuído.</translation>
    </message>
    <message>
        <source>No cgroup v2 hierarchy is mounted, so programs cannot be told apart: their traffic shows as this session&apos;s.</source>
        <translation>Nenhuma hierarquia cgroup v2 está montada, então os programas não podem ser distinguidos: o tráfego deles aparece como o desta sessão.</translation>
    </message>
    <message>
        <source>The kernel does not say which cgroup made a connection (Linux 5.8 and later do): traffic shows as this session&apos;s.</source>
        <translation>O kernel não informa qual cgroup abriu uma conexão (o Linux 5.8 e posteriores informam): o tráfego aparece como o desta sessão.</translation>
    </message>
    <message>
        <source>The desktop does not start applications in units of their own, so their traffic shows as this session&apos;s.</source>
        <translation>O ambiente de trabalho não inicia os aplicativos em unidades próprias, então o tráfego deles aparece como o desta sessão.</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>Outros programas desta sessão</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Usuário %1</translation>
    </message>
    <message>
        <source>Also uses UDP, which cannot be counted</source>
        <translation>Também usa UDP, que não pode ser contado</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>Não atribuído</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP como QUIC e chamadas, outros protocolos, contêineres e máquinas virtuais, conexões com menos de um segundo</translation>
    </message>
    <message>
        <source>No traffic on the uplinks yet.</source>
        <translation>Ainda não há tráfego nos links de saída.</translation>
    </message>
    <message>
        <source>Applications account for %1% of the uplinks&apos; traffic.</source>
        <translation>Os aplicativos respondem por %1% do tráfego dos links de saída.</translation>
    </message>
</context>
</TS>
