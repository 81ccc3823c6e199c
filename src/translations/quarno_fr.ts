<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>qn::THistoryChart</name>
    <message>
        <source>Traffic history chart</source>
        <translation>Graphique de l&apos;historique du trafic</translation>
    </message>
    <message>
        <source>No traffic recorded</source>
        <translation>Aucun trafic enregistré</translation>
    </message>
    <message>
        <source>%1 bars from %2 to %3; the largest %4 on %5</source>
        <translation>%1 barres du %2 au %3 ; la plus haute : %4 le %5</translation>
    </message>
    <message>
        <source>%1
Download %2
Upload %3
Total %4</source>
        <translation>%1
Réception %2
Envoi %3
Total %4</translation>
    </message>
</context>
<context>
    <name>qn::THistoryMessages</name>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1.</source>
        <translation>L&apos;historique du trafic n&apos;est plus enregistré : impossible d&apos;écrire dans %1.</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: the disk is full (%1).</source>
        <translation>L&apos;historique du trafic n&apos;est plus enregistré : le disque est plein (%1).</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1 was written by a newer version of Quarno.</source>
        <translation>L&apos;historique du trafic n&apos;est plus enregistré : %1 a été écrit par une version plus récente de Quarno.</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1 (%2).</source>
        <translation>L&apos;historique du trafic n&apos;est plus enregistré : impossible d&apos;écrire dans %1 (%2).</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1.</source>
        <translation>L&apos;historique du trafic n&apos;est plus enregistré : %1.</translation>
    </message>
    <message>
        <source>The traffic history file was damaged and has been moved to %1. A new history has been started.</source>
        <translation>Le fichier de l&apos;historique du trafic était endommagé et a été déplacé vers %1. Un nouvel historique a été commencé.</translation>
    </message>
    <message>
        <source>The data cap settings hold values that cannot be used (%1); their defaults are used instead.</source>
        <translation>Les paramètres du forfait de données contiennent des valeurs inutilisables (%1) ; leurs valeurs par défaut sont utilisées à la place.</translation>
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
        <translation>Réception</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Envoi</translation>
    </message>
</context>
<context>
    <name>qn::TMainActions</name>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>À propos...</translation>
    </message>
    <message>
        <source>Always Visible</source>
        <translation>Toujours visible</translation>
    </message>
    <message>
        <source>Interface View</source>
        <translation>Liste des interfaces</translation>
    </message>
    <message>
        <source>Window Caption</source>
        <translation>Barre de titre</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Masquer</translation>
    </message>
    <message>
        <source>Only Operational Interfaces</source>
        <translation>Interfaces actives seulement</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Persistent layout and settings</source>
        <translation>Conserver la disposition et les paramètres</translation>
    </message>
    <message>
        <source>Traffic History...</source>
        <translation>Historique du trafic...</translation>
    </message>
    <message>
        <source>Data Cap...</source>
        <translation>Forfait de données...</translation>
    </message>
    <message>
        <source>Traffic in Tray Icon</source>
        <translation>Trafic dans l&apos;icône de notification</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Quitte l&apos;application</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Surveiller</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Applications...</source>
        <translation>Applications...</translation>
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
        <translation>Autre</translation>
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
        <translation>Boucle locale</translation>
    </message>
    <message>
        <source>ATM</source>
        <translation>ATM</translation>
    </message>
    <message>
        <source>IEEE 802.11 wireless</source>
        <translation>Sans fil IEEE 802.11</translation>
    </message>
    <message>
        <source>Tunnel encapsulation</source>
        <translation>Encapsulation de tunnel</translation>
    </message>
    <message>
        <source>IEEE 1394 (Firewire) high performance serial bus</source>
        <translation>IEEE 1394 (FireWire), bus série haute performance</translation>
    </message>
    <message>
        <source>Mobile broadband for WiMax</source>
        <translation>Haut débit mobile (WiMAX)</translation>
    </message>
    <message>
        <source>Mobile broadband for GSM</source>
        <translation>Haut débit mobile (GSM)</translation>
    </message>
    <message>
        <source>Mobile broadband for CDMA</source>
        <translation>Haut débit mobile (CDMA)</translation>
    </message>
    <message>
        <source>Non Operational</source>
        <translation>Hors service</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Injoignable</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Connexion en cours</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>Operational</source>
        <translation>En service</translation>
    </message>
</context>
<context>
    <name>qn::TQuotaText</name>
    <message>
        <source>day</source>
        <translation>jour</translation>
    </message>
    <message>
        <source>week</source>
        <translation>semaine</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>The data cap will run out before the day ends</source>
        <translation>Le forfait de données sera épuisé avant la fin de la journée</translation>
    </message>
    <message>
        <source>The data cap will run out before the week ends</source>
        <translation>Le forfait de données sera épuisé avant la fin de la semaine</translation>
    </message>
    <message>
        <source>The data cap will run out before the month ends</source>
        <translation>Le forfait de données sera épuisé avant la fin du mois</translation>
    </message>
    <message>
        <source>%1 this day, %2 left.</source>
        <translation>%1 aujourd&apos;hui, reste %2.</translation>
    </message>
    <message>
        <source>%1 this week, %2 left.</source>
        <translation>%1 cette semaine, reste %2.</translation>
    </message>
    <message>
        <source>%1 this month, %2 left.</source>
        <translation>%1 ce mois-ci, reste %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n day</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2, %3 left</source>
        <translation>%1 du %2, reste %3</translation>
    </message>
    <message>
        <source>%1 from %2 to %3, %4 left</source>
        <translation>%1 du %2 au %3, reste %4</translation>
    </message>
    <message>
        <source>%1 of %2 (%3 %)</source>
        <translation>%1 sur %2 (%3 %)</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); the cap is reached.</source>
        <translation>Rythme %1 par jour (%2 à la fin de la période) ; le forfait est atteint.</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); %3 a day may be used from now on.</source>
        <translation>Rythme %1 par jour (%2 à la fin de la période) ; %3 par jour restent utilisables désormais.</translation>
    </message>
    <message>
        <source>The history starts on %1: what was used before is not counted.</source>
        <translation>L&apos;historique commence le %1 : la consommation antérieure n&apos;est pas comptée.</translation>
    </message>
    <message>
        <source>At this pace %1 of %2 will be used by %3. %4 a day keeps within the cap.</source>
        <translation>À ce rythme, %1 sur %2 seront consommés d&apos;ici le %3. Avec %4 par jour, le forfait est respecté.</translation>
    </message>
    <message>
        <source>The data cap is used up</source>
        <translation>Le forfait de données est épuisé</translation>
    </message>
    <message>
        <source>%1 % of the data cap is used</source>
        <translation>%1 % du forfait de données est consommé</translation>
    </message>
    <message>
        <source> %1 a day may be used from now on.</source>
        <translation> %1 par jour restent utilisables désormais.</translation>
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
        <translation>Alertes de débit...</translation>
    </message>
    <message>
        <source>The rate alert settings of %1 hold values that cannot be used (%2); their defaults are used instead.</source>
        <translation>Les paramètres des alertes de débit de %1 contiennent des valeurs inutilisables (%2) ; leurs valeurs par défaut sont utilisées à la place.</translation>
    </message>
    <message>
        <source>%1: the download stays above %2</source>
        <translation>%1 : la réception reste au-dessus de %2</translation>
    </message>
    <message>
        <source>%1: the upload stays above %2</source>
        <translation>%1 : l&apos;envoi reste au-dessus de %2</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed above %2 for %3.</source>
        <translation>Le débit de réception de %1 est resté au-dessus de %2 pendant %3.</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed above %2 for %3.</source>
        <translation>Le débit d&apos;envoi de %1 est resté au-dessus de %2 pendant %3.</translation>
    </message>
    <message>
        <source>%1: the download stalled</source>
        <translation>%1 : la réception est bloquée</translation>
    </message>
    <message>
        <source>%1: the upload stalled</source>
        <translation>%1 : l&apos;envoi est bloqué</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>Le débit de réception de %1 est resté sous %2 pendant %3 après avoir été au-dessus.</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>Le débit d&apos;envoi de %1 est resté sous %2 pendant %3 après avoir été au-dessus.</translation>
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
        <translation>%1 : réception %2, envoi %3</translation>
    </message>
</context>
<context>
    <name>qn::TWatcherPanels</name>
    <message>
        <source>No interface is watched yet.
Tick one in View &gt; Interface View (Ctrl+I), or pick one in the Monitor menu.</source>
        <translation>Aucune interface n&apos;est encore surveillée.
Cochez-en une dans Affichage &gt; Liste des interfaces (Ctrl+I)
ou choisissez-en une dans le menu Surveiller.</translation>
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
        <translation>Conditions d&apos;utilisation

Quarno est fourni « tel quel », sans garantie d&apos;aucune sorte, expresse ou implicite, y compris, sans s&apos;y limiter, les garanties de qualité marchande, d&apos;adéquation à un usage particulier et d&apos;absence de contrefaçon. En aucun cas les auteurs ou Veldo ne pourront être tenus responsables de toute réclamation, de tout dommage ou de toute autre responsabilité découlant de l&apos;utilisation du programme.

Quarno lit les compteurs de trafic que le système d&apos;exploitation tient pour chaque interface réseau. Il ne capture, n&apos;inspecte, ne stocke ni n&apos;envoie aucun trafic réseau, et n&apos;envoie nulle part aucune donnée sur vous ou votre ordinateur.

Le seul fichier qu&apos;écrit Quarno est son fichier de paramètres. Supprimez-le pour revenir aux paramètres d&apos;origine.

Vous pouvez utiliser Quarno gratuitement à la maison et au travail, et en donner des copies non modifiées à d&apos;autres, à condition de ne rien demander en échange. Vous ne pouvez ni le vendre, ni le louer, ni le distribuer sous une forme modifiée.

Les chiffres affichés par Quarno sont des mesures des compteurs des interfaces relevées une fois par seconde. Ils sont donnés à titre indicatif et ne conviennent pas à la facturation.</translation>
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
        <translation>À propos</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_AdapterInfo</name>
    <message>
        <source>Alias:</source>
        <translation>Alias :</translation>
    </message>
    <message>
        <source>Max speed:</source>
        <translation>Débit max. :</translation>
    </message>
    <message>
        <source>MTU size:</source>
        <translation>Taille MTU :</translation>
    </message>
    <message>
        <source>MAC address:</source>
        <translation>Adresse MAC :</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>Adresse IP :</translation>
    </message>
    <message>
        <source>Subnet mask:</source>
        <translation>Masque :</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Type :</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>État :</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source> Device properties </source>
        <translation> Propriétés du périphérique </translation>
    </message>
    <message>
        <source>Failed to get data. Device is not available.</source>
        <translation>Impossible d&apos;obtenir les données. Le périphérique n&apos;est pas disponible.</translation>
    </message>
    <message>
        <source>%1 Mbps</source>
        <translation>%1 Mbit/s</translation>
    </message>
    <message>
        <source>%1 B</source>
        <translation>%1 o</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_History</name>
    <message>
        <source>Traffic History</source>
        <translation>Historique du trafic</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Heures</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Jours</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Mois</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Années</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Réception</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Envoi</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>Exporter en CSV...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exporter en CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>No data cap is set (View &gt; Data Cap...).</source>
        <translation>Aucun forfait de données n&apos;est défini (Affichage &gt; Forfait de données...).</translation>
    </message>
    <message>
        <source>Data cap this %1</source>
        <translation>Forfait de données : %1</translation>
    </message>
    <message>
        <source>All interfaces</source>
        <translation>Toutes les interfaces</translation>
    </message>
    <message>
        <source>Every interface</source>
        <translation>Chaque interface</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks (none has traffic yet); loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>Toutes les interfaces : les liaisons montantes (aucune n&apos;a encore de trafic) ; les interfaces de boucle locale, virtuelles et tunnels ne sont pas comptées.</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks %1; loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>Toutes les interfaces : les liaisons montantes %1 ; les interfaces de boucle locale, virtuelles et tunnels ne sont pas comptées.</translation>
    </message>
    <message>
        <source>No traffic recorded yet.</source>
        <translation>Aucun trafic enregistré pour l&apos;instant.</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d&apos;écrire dans %1</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Applications</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>No application has been recorded in this period yet.</source>
        <translation>Aucune application n’a encore été enregistrée pour cette période.</translation>
    </message>
    <message>
        <source>Most used by: %1.</source>
        <translation>Les plus utilisatrices : %1.</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>Non attribué</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>Autres programmes de cette session</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Utilisateur %1</translation>
    </message>
    <message>
        <source>Applications: no period chosen.</source>
        <translation>Applications : aucune période choisie.</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1: none recorded.</source>
        <translation>Applications sur les liaisons montantes, %1 : aucune enregistrée.</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1:</source>
        <translation>Applications sur les liaisons montantes, %1 :</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP comme QUIC et les appels, autres protocoles, conteneurs et machines virtuelles, connexions de moins d’une seconde</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_Quota</name>
    <message>
        <source>Data Cap</source>
        <translation>Forfait de données</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>Mo</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>Go</translation>
    </message>
    <message>
        <source>Limit:</source>
        <translation>Limite :</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Semaine</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mois</translation>
    </message>
    <message>
        <source>Period:</source>
        <translation>Période :</translation>
    </message>
    <message>
        <source>Starts on day:</source>
        <translation>Commence le jour :</translation>
    </message>
    <message>
        <source>Download and upload</source>
        <translation>Réception et envoi</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Réception</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Envoi</translation>
    </message>
    <message>
        <source>Counts:</source>
        <translation>Compte :</translation>
    </message>
    <message>
        <source>no warnings</source>
        <translation>aucun avertissement</translation>
    </message>
    <message>
        <source>Warn at (%):</source>
        <translation>Avertir à (%) :</translation>
    </message>
    <message>
        <source>the uplinks</source>
        <translation>les liaisons montantes</translation>
    </message>
    <message>
        <source>Interfaces:</source>
        <translation>Interfaces :</translation>
    </message>
    <message>
        <source>Interfaces: names separated by commas; empty counts the uplinks (the physical interfaces and the default route&apos;s), never loopback, virtual or tunnel traffic.</source>
        <translation>Interfaces : noms séparés par des virgules ; vide, les liaisons montantes sont comptées (les interfaces physiques et celle de la route par défaut), jamais le trafic de boucle locale, virtuel ou de tunnel.</translation>
    </message>
    <message>
        <source>Starts on (Monday = 1):</source>
        <translation>Commence le (lundi = 1) :</translation>
    </message>
    <message>
        <source>The warning levels must be whole percentages from 1 to 1000, separated by commas.</source>
        <translation>Les seuils d&apos;avertissement doivent être des pourcentages entiers de 1 à 1000, séparés par des virgules.</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_RateAlerts</name>
    <message>
        <source>Rate Alerts: %1</source>
        <translation>Alertes de débit : %1</translation>
    </message>
    <message>
        <source>Alert when a rate stays above</source>
        <translation>Alerter quand un débit reste au-dessus de</translation>
    </message>
    <message>
        <source>Alert when a rate stays below, after it was above (a stalled transfer)</source>
        <translation>Alerter quand un débit reste en dessous après avoir été au-dessus (transfert bloqué)</translation>
    </message>
    <message>
        <source>Download and upload are watched apart. An alert is shown once when its condition begins, and again only after it ended.</source>
        <translation>La réception et l&apos;envoi sont surveillés séparément. Une alerte s&apos;affiche une fois quand sa condition commence, et de nouveau seulement après sa fin.</translation>
    </message>
    <message>
        <source>KB/s</source>
        <translation>Ko/s</translation>
    </message>
    <message>
        <source>MB/s</source>
        <translation>Mo/s</translation>
    </message>
    <message>
        <source>for</source>
        <translation>pendant</translation>
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
        <translation>%1 réception actuelle</translation>
    </message>
    <message>
        <source>%1 upload current</source>
        <translation>%1 envoi actuel</translation>
    </message>
    <message>
        <source>%1 download maximum</source>
        <translation>%1 réception maximale</translation>
    </message>
    <message>
        <source>%1 upload maximum</source>
        <translation>%1 envoi maximal</translation>
    </message>
    <message>
        <source>%1 download total</source>
        <translation>%1 réception totale</translation>
    </message>
    <message>
        <source>%1 upload total</source>
        <translation>%1 envoi total</translation>
    </message>
    <message>
        <source>%1 session download total</source>
        <translation>%1 réception totale de la session</translation>
    </message>
    <message>
        <source>%1 session upload total</source>
        <translation>%1 envoi total de la session</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Actuel</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max.</translation>
    </message>
    <message>
        <source>Total transfer</source>
        <translation>Total transféré</translation>
    </message>
    <message>
        <source>Timestamp: </source>
        <translation>Horodatage : </translation>
    </message>
    <message>
        <source>Value: </source>
        <translation>Valeur : </translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Débit</translation>
    </message>
    <message>
        <source>Properties...</source>
        <translation>Propriétés...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Réception</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Envoi</translation>
    </message>
    <message>
        <source>Session totals</source>
        <translation>Cumul session</translation>
    </message>
    <message>
        <source>%1 traffic chart</source>
        <translation>%1 graphique du trafic</translation>
    </message>
    <message>
        <source>%1 session totals</source>
        <translation>%1 totaux de session</translation>
    </message>
    <message>
        <source>Download %1, peak %2; upload %3, peak %4</source>
        <translation>Réception %1, pic %2 ; envoi %3, pic %4</translation>
    </message>
    <message>
        <source>Download %1, upload %2</source>
        <translation>Réception %1, envoi %2</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Clear session totals?</source>
        <translation>Remettre à zéro les totaux de session ?</translation>
    </message>
</context>
<context>
    <name>qn::Twnd_qn_Apps</name>
    <message>
        <source>Applications</source>
        <translation>Applications</translation>
    </message>
    <message>
        <source>Traffic of each application now and this session, busiest first</source>
        <translation>Trafic de chaque application maintenant et pendant cette session, la plus active d’abord</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Réception</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Envoi</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Reçu</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Envoyé</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>Counting per application is switched off (QUARNO_APPS=0).</source>
        <translation>Le décompte par application est désactivé (QUARNO_APPS=0).</translation>
    </message>
    <message>
        <source>This system does not tell which program a connection belongs to: all traffic is unattributed.</source>
        <translation>Ce système n’indique pas à quel programme appartient une connexion : tout le trafic est non attribué.</translation>
    </message>
    <message>
        <source>No cgroup v2 hierarchy is mounted, so programs cannot be told apart: their traffic shows as this session&apos;s.</source>
        <translation>Aucune hiérarchie cgroup v2 n’est montée, les programmes ne peuvent donc pas être distingués : leur trafic apparaît comme celui de cette session.</translation>
    </message>
    <message>
        <source>The kernel does not say which cgroup made a connection (Linux 5.8 and later do): traffic shows as this session&apos;s.</source>
        <translation>Le noyau n’indique pas quel cgroup a ouvert une connexion (Linux 5.8 et suivants le font) : le trafic apparaît comme celui de cette session.</translation>
    </message>
    <message>
        <source>The desktop does not start applications in units of their own, so their traffic shows as this session&apos;s.</source>
        <translation>Le bureau ne lance pas les applications dans des unités propres, leur trafic apparaît donc comme celui de cette session.</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>Autres programmes de cette session</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Utilisateur %1</translation>
    </message>
    <message>
        <source>Also uses UDP, which cannot be counted</source>
        <translation>Utilise aussi UDP, qui ne peut pas être compté</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>Non attribué</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP comme QUIC et les appels, autres protocoles, conteneurs et machines virtuelles, connexions de moins d’une seconde</translation>
    </message>
    <message>
        <source>No traffic on the uplinks yet.</source>
        <translation>Pas encore de trafic sur les liaisons montantes.</translation>
    </message>
    <message>
        <source>Applications account for %1% of the uplinks&apos; traffic.</source>
        <translation>Les applications représentent %1% du trafic des liaisons montantes.</translation>
    </message>
</context>
</TS>
