<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>qn::THistoryChart</name>
    <message>
        <source>Traffic history chart</source>
        <translation>Диаграмма истории трафика</translation>
    </message>
    <message>
        <source>No traffic recorded</source>
        <translation>Трафик не записан</translation>
    </message>
    <message>
        <source>%1 bars from %2 to %3; the largest %4 on %5</source>
        <translation>Столбцов: %1, с %2 по %3; наибольший — %4, %5</translation>
    </message>
    <message>
        <source>%1
Download %2
Upload %3
Total %4</source>
        <translation>%1
Приём %2
Передача %3
Всего %4</translation>
    </message>
</context>
<context>
    <name>qn::THistoryMessages</name>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1.</source>
        <translation>История трафика больше не записывается: не удаётся записать в %1.</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: the disk is full (%1).</source>
        <translation>История трафика больше не записывается: диск заполнен (%1).</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1 was written by a newer version of Quarno.</source>
        <translation>История трафика больше не записывается: файл %1 записан более новой версией Quarno.</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: unable to write to %1 (%2).</source>
        <translation>История трафика больше не записывается: не удаётся записать в %1 (%2).</translation>
    </message>
    <message>
        <source>Traffic history is no longer recorded: %1.</source>
        <translation>История трафика больше не записывается: %1.</translation>
    </message>
    <message>
        <source>The traffic history file was damaged and has been moved to %1. A new history has been started.</source>
        <translation>Файл истории трафика был повреждён и перемещён в %1. Начата новая история.</translation>
    </message>
    <message>
        <source>The data cap settings hold values that cannot be used (%1); their defaults are used instead.</source>
        <translation>Настройки лимита трафика содержат недопустимые значения (%1); вместо них используются значения по умолчанию.</translation>
    </message>
</context>
<context>
    <name>qn::TIntfListModel</name>
    <message>
        <source>Interface</source>
        <translation>Интерфейс</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Приём</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Передача</translation>
    </message>
</context>
<context>
    <name>qn::TMainActions</name>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>О программе...</translation>
    </message>
    <message>
        <source>Always Visible</source>
        <translation>Поверх всех окон</translation>
    </message>
    <message>
        <source>Interface View</source>
        <translation>Список интерфейсов</translation>
    </message>
    <message>
        <source>Window Caption</source>
        <translation>Заголовок окна</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Скрыть</translation>
    </message>
    <message>
        <source>Only Operational Interfaces</source>
        <translation>Только работающие интерфейсы</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Persistent layout and settings</source>
        <translation>Сохранять расположение и настройки</translation>
    </message>
    <message>
        <source>Traffic History...</source>
        <translation>История трафика...</translation>
    </message>
    <message>
        <source>Data Cap...</source>
        <translation>Лимит трафика...</translation>
    </message>
    <message>
        <source>Traffic in Tray Icon</source>
        <translation>Трафик в значке в трее</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Завершает работу программы</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Мониторинг</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>Applications...</source>
        <translation>Приложения...</translation>
    </message>
</context>
<context>
    <name>qn::TMainComponents</name>
    <message>
        <source>Interfaces</source>
        <translation>Интерфейсы</translation>
    </message>
</context>
<context>
    <name>qn::TNetworkConfiguration</name>
    <message>
        <source>Other</source>
        <translation>Другой</translation>
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
        <translation>Петлевой</translation>
    </message>
    <message>
        <source>ATM</source>
        <translation>ATM</translation>
    </message>
    <message>
        <source>IEEE 802.11 wireless</source>
        <translation>Беспроводной IEEE 802.11</translation>
    </message>
    <message>
        <source>Tunnel encapsulation</source>
        <translation>Туннельная инкапсуляция</translation>
    </message>
    <message>
        <source>IEEE 1394 (Firewire) high performance serial bus</source>
        <translation>IEEE 1394 (FireWire), высокоскоростная последовательная шина</translation>
    </message>
    <message>
        <source>Mobile broadband for WiMax</source>
        <translation>Мобильный широкополосный доступ (WiMAX)</translation>
    </message>
    <message>
        <source>Mobile broadband for GSM</source>
        <translation>Мобильный широкополосный доступ (GSM)</translation>
    </message>
    <message>
        <source>Mobile broadband for CDMA</source>
        <translation>Мобильный широкополосный доступ (CDMA)</translation>
    </message>
    <message>
        <source>Non Operational</source>
        <translation>Не работает</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Недоступен</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Отключён</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Подключение</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Подключён</translation>
    </message>
    <message>
        <source>Operational</source>
        <translation>Работает</translation>
    </message>
</context>
<context>
    <name>qn::TQuotaText</name>
    <message>
        <source>day</source>
        <translation>день</translation>
    </message>
    <message>
        <source>week</source>
        <translation>неделя</translation>
    </message>
    <message>
        <source>month</source>
        <translation>месяц</translation>
    </message>
    <message>
        <source>The data cap will run out before the day ends</source>
        <translation>Лимит трафика закончится до конца дня</translation>
    </message>
    <message>
        <source>The data cap will run out before the week ends</source>
        <translation>Лимит трафика закончится до конца недели</translation>
    </message>
    <message>
        <source>The data cap will run out before the month ends</source>
        <translation>Лимит трафика закончится до конца месяца</translation>
    </message>
    <message>
        <source>%1 this day, %2 left.</source>
        <translation>%1 за этот день, осталось: %2.</translation>
    </message>
    <message>
        <source>%1 this week, %2 left.</source>
        <translation>%1 за эту неделю, осталось: %2.</translation>
    </message>
    <message>
        <source>%1 this month, %2 left.</source>
        <translation>%1 за этот месяц, осталось: %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n day</source>
        <translation>
            <numerusform>%n день</numerusform>
            <numerusform>%n дня</numerusform>
            <numerusform>%n дней</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n день</numerusform>
            <numerusform>%n дня</numerusform>
            <numerusform>%n дней</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2, %3 left</source>
        <translation>%1 %2, осталось: %3</translation>
    </message>
    <message>
        <source>%1 from %2 to %3, %4 left</source>
        <translation>%1 с %2 по %3, осталось: %4</translation>
    </message>
    <message>
        <source>%1 of %2 (%3 %)</source>
        <translation>%1 из %2 (%3 %)</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); the cap is reached.</source>
        <translation>Темп %1 в день (%2 к концу периода); лимит исчерпан.</translation>
    </message>
    <message>
        <source>Pace %1 a day (%2 by the period&apos;s end); %3 a day may be used from now on.</source>
        <translation>Темп %1 в день (%2 к концу периода); отныне можно расходовать %3 в день.</translation>
    </message>
    <message>
        <source>The history starts on %1: what was used before is not counted.</source>
        <translation>История начинается %1: израсходованное раньше не учитывается.</translation>
    </message>
    <message>
        <source>At this pace %1 of %2 will be used by %3. %4 a day keeps within the cap.</source>
        <translation>При таком темпе к %3 будет израсходовано %1 из %2. Чтобы уложиться в лимит, расходуйте не более %4 в день.</translation>
    </message>
    <message>
        <source>The data cap is used up</source>
        <translation>Лимит трафика исчерпан</translation>
    </message>
    <message>
        <source>%1 % of the data cap is used</source>
        <translation>Израсходовано %1 % лимита трафика</translation>
    </message>
    <message>
        <source> %1 a day may be used from now on.</source>
        <translation> Отныне можно расходовать %1 в день.</translation>
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
            <numerusform>%n с</numerusform>
            <numerusform>%n с</numerusform>
            <numerusform>%n с</numerusform>
        </translation>
    </message>
    <message>
        <source>Rate Alerts...</source>
        <translation>Оповещения о скорости...</translation>
    </message>
    <message>
        <source>The rate alert settings of %1 hold values that cannot be used (%2); their defaults are used instead.</source>
        <translation>Настройки оповещений о скорости для %1 содержат недопустимые значения (%2); вместо них используются значения по умолчанию.</translation>
    </message>
    <message>
        <source>%1: the download stays above %2</source>
        <translation>%1: приём держится выше %2</translation>
    </message>
    <message>
        <source>%1: the upload stays above %2</source>
        <translation>%1: передача держится выше %2</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed above %2 for %3.</source>
        <translation>Скорость приёма на %1 держится выше %2 уже %3.</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed above %2 for %3.</source>
        <translation>Скорость передачи на %1 держится выше %2 уже %3.</translation>
    </message>
    <message>
        <source>%1: the download stalled</source>
        <translation>%1: приём остановился</translation>
    </message>
    <message>
        <source>%1: the upload stalled</source>
        <translation>%1: передача остановилась</translation>
    </message>
    <message>
        <source>The download rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>Скорость приёма на %1 держится ниже %2 уже %3, хотя раньше была выше.</translation>
    </message>
    <message>
        <source>The upload rate of %1 has stayed below %2 for %3 after it was above.</source>
        <translation>Скорость передачи на %1 держится ниже %2 уже %3, хотя раньше была выше.</translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation>
            <numerusform>%n мин</numerusform>
            <numerusform>%n мин</numerusform>
            <numerusform>%n мин</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qn::TTrayHint</name>
    <message>
        <source>%1: Download %2, Upload %3</source>
        <translation>%1: приём %2, передача %3</translation>
    </message>
</context>
<context>
    <name>qn::TWatcherPanels</name>
    <message>
        <source>No interface is watched yet.
Tick one in View &gt; Interface View (Ctrl+I), or pick one in the Monitor menu.</source>
        <translation>Ни один интерфейс пока не отслеживается.
Отметьте его в меню Вид &gt; Список интерфейсов (Ctrl+I)
или выберите в меню Мониторинг.</translation>
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
        <translation>Условия использования

Quarno предоставляется «как есть», без каких-либо явных или подразумеваемых гарантий, включая, помимо прочего, гарантии товарной пригодности, пригодности для определённой цели и ненарушения прав. Ни при каких обстоятельствах авторы или Veldo не несут ответственности по каким-либо претензиям, за ущерб или иные обязательства, возникшие в связи с использованием программы.

Quarno читает счётчики трафика, которые операционная система ведёт для каждого сетевого интерфейса. Программа не перехватывает, не анализирует, не сохраняет и не отправляет сетевой трафик и никуда не отправляет данные о вас или вашем компьютере.

Единственный файл, который записывает Quarno, — файл настроек. Удалите его, чтобы вернуться к исходным настройкам.

Вы можете бесплатно использовать Quarno дома и на работе и передавать другим неизменённые копии, если ничего не просите взамен. Запрещается продавать программу, сдавать её в аренду или распространять в изменённом виде.

Цифры, которые показывает Quarno, — это измерения счётчиков интерфейсов раз в секунду. Они носят информационный характер и не подходят для расчётов за услуги.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Версия</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_AdapterInfo</name>
    <message>
        <source>Alias:</source>
        <translation>Псевдоним:</translation>
    </message>
    <message>
        <source>Max speed:</source>
        <translation>Скорость:</translation>
    </message>
    <message>
        <source>MTU size:</source>
        <translation>Размер MTU:</translation>
    </message>
    <message>
        <source>MAC address:</source>
        <translation>MAC-адрес:</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP-адрес:</translation>
    </message>
    <message>
        <source>Subnet mask:</source>
        <translation>Маска подсети:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Тип:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Состояние:</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Свойства</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source> Device properties </source>
        <translation> Свойства устройства </translation>
    </message>
    <message>
        <source>Failed to get data. Device is not available.</source>
        <translation>Не удалось получить данные. Устройство недоступно.</translation>
    </message>
    <message>
        <source>%1 Mbps</source>
        <translation>%1 Мбит/с</translation>
    </message>
    <message>
        <source>%1 B</source>
        <translation>%1 Б</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_History</name>
    <message>
        <source>Traffic History</source>
        <translation>История трафика</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Часы</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Дни</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Месяцы</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Годы</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Период</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Приём</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Передача</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Всего</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>Экспорт в CSV...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Экспорт в CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <source>No data cap is set (View &gt; Data Cap...).</source>
        <translation>Лимит трафика не задан (Вид &gt; Лимит трафика...).</translation>
    </message>
    <message>
        <source>Data cap this %1</source>
        <translation>Лимит трафика: %1</translation>
    </message>
    <message>
        <source>All interfaces</source>
        <translation>Все интерфейсы</translation>
    </message>
    <message>
        <source>Every interface</source>
        <translation>Каждый интерфейс</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks (none has traffic yet); loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>Все интерфейсы: внешние подключения (трафика пока нет); петлевые, виртуальные и туннельные интерфейсы не учитываются.</translation>
    </message>
    <message>
        <source>All interfaces: the uplinks %1; loopback, virtual and tunnel interfaces are not counted.</source>
        <translation>Все интерфейсы: внешние подключения %1; петлевые, виртуальные и туннельные интерфейсы не учитываются.</translation>
    </message>
    <message>
        <source>No traffic recorded yet.</source>
        <translation>Трафик пока не записан.</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Не удаётся записать в %1</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Приложение</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Приложения</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>No application has been recorded in this period yet.</source>
        <translation>За этот период ещё не записано ни одного приложения.</translation>
    </message>
    <message>
        <source>Most used by: %1.</source>
        <translation>Больше всего использовали: %1.</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>Не распределено</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>Другие программы этого сеанса</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Пользователь %1</translation>
    </message>
    <message>
        <source>Applications: no period chosen.</source>
        <translation>Приложения: период не выбран.</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1: none recorded.</source>
        <translation>Приложения на внешних каналах, %1: записей нет.</translation>
    </message>
    <message>
        <source>Applications on the uplinks, %1:</source>
        <translation>Приложения на внешних каналах, %1:</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP, например QUIC и звонки, другие протоколы, контейнеры и виртуальные машины, соединения короче секунды</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_Quota</name>
    <message>
        <source>Data Cap</source>
        <translation>Лимит трафика</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>МБ</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>ГБ</translation>
    </message>
    <message>
        <source>Limit:</source>
        <translation>Лимит:</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>День</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Неделя</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Месяц</translation>
    </message>
    <message>
        <source>Period:</source>
        <translation>Период:</translation>
    </message>
    <message>
        <source>Starts on day:</source>
        <translation>Начинается в день:</translation>
    </message>
    <message>
        <source>Download and upload</source>
        <translation>Приём и передача</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Приём</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Передача</translation>
    </message>
    <message>
        <source>Counts:</source>
        <translation>Учитывается:</translation>
    </message>
    <message>
        <source>no warnings</source>
        <translation>без предупреждений</translation>
    </message>
    <message>
        <source>Warn at (%):</source>
        <translation>Предупреждать при (%):</translation>
    </message>
    <message>
        <source>the uplinks</source>
        <translation>внешние подключения</translation>
    </message>
    <message>
        <source>Interfaces:</source>
        <translation>Интерфейсы:</translation>
    </message>
    <message>
        <source>Interfaces: names separated by commas; empty counts the uplinks (the physical interfaces and the default route&apos;s), never loopback, virtual or tunnel traffic.</source>
        <translation>Интерфейсы: имена через запятую; если пусто, учитываются внешние подключения (физические интерфейсы и интерфейс маршрута по умолчанию), но никогда не петлевой, виртуальный или туннельный трафик.</translation>
    </message>
    <message>
        <source>Starts on (Monday = 1):</source>
        <translation>Начинается в (понедельник = 1):</translation>
    </message>
    <message>
        <source>The warning levels must be whole percentages from 1 to 1000, separated by commas.</source>
        <translation>Уровни предупреждений должны быть целыми процентами от 1 до 1000 через запятую.</translation>
    </message>
</context>
<context>
    <name>qn::Tdlg_qn_RateAlerts</name>
    <message>
        <source>Rate Alerts: %1</source>
        <translation>Оповещения о скорости: %1</translation>
    </message>
    <message>
        <source>Alert when a rate stays above</source>
        <translation>Оповещать, когда скорость держится выше</translation>
    </message>
    <message>
        <source>Alert when a rate stays below, after it was above (a stalled transfer)</source>
        <translation>Оповещать, когда скорость держится ниже после того, как была выше (передача остановилась)</translation>
    </message>
    <message>
        <source>Download and upload are watched apart. An alert is shown once when its condition begins, and again only after it ended.</source>
        <translation>Приём и передача отслеживаются отдельно. Оповещение показывается один раз, когда условие наступает, и снова — только после того, как оно закончилось.</translation>
    </message>
    <message>
        <source>KB/s</source>
        <translation>КБ/с</translation>
    </message>
    <message>
        <source>MB/s</source>
        <translation>МБ/с</translation>
    </message>
    <message>
        <source>for</source>
        <translation>в течение</translation>
    </message>
    <message>
        <source>s</source>
        <translation>с</translation>
    </message>
    <message>
        <source>min</source>
        <translation>мин</translation>
    </message>
</context>
<context>
    <name>qn::Tfrm_qn_Watcher</name>
    <message>
        <source>%1 download current</source>
        <translation>%1 приём, текущий</translation>
    </message>
    <message>
        <source>%1 upload current</source>
        <translation>%1 передача, текущая</translation>
    </message>
    <message>
        <source>%1 download maximum</source>
        <translation>%1 приём, максимум</translation>
    </message>
    <message>
        <source>%1 upload maximum</source>
        <translation>%1 передача, максимум</translation>
    </message>
    <message>
        <source>%1 download total</source>
        <translation>%1 приём, всего</translation>
    </message>
    <message>
        <source>%1 upload total</source>
        <translation>%1 передача, всего</translation>
    </message>
    <message>
        <source>%1 session download total</source>
        <translation>%1 приём за сеанс, всего</translation>
    </message>
    <message>
        <source>%1 session upload total</source>
        <translation>%1 передача за сеанс, всего</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Текущее</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Максимум</translation>
    </message>
    <message>
        <source>Total transfer</source>
        <translation>Всего передано</translation>
    </message>
    <message>
        <source>Timestamp: </source>
        <translation>Время: </translation>
    </message>
    <message>
        <source>Value: </source>
        <translation>Значение: </translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Объём</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Properties...</source>
        <translation>Свойства...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Приём</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Передача</translation>
    </message>
    <message>
        <source>Session totals</source>
        <translation>Итого за сеанс</translation>
    </message>
    <message>
        <source>%1 traffic chart</source>
        <translation>%1 — диаграмма трафика</translation>
    </message>
    <message>
        <source>%1 session totals</source>
        <translation>%1 — итого за сеанс</translation>
    </message>
    <message>
        <source>Download %1, peak %2; upload %3, peak %4</source>
        <translation>Приём %1, пик %2; передача %3, пик %4</translation>
    </message>
    <message>
        <source>Download %1, upload %2</source>
        <translation>Приём %1, передача %2</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Подтверждение</translation>
    </message>
    <message>
        <source>Clear session totals?</source>
        <translation>Сбросить итоги сеанса?</translation>
    </message>
</context>
<context>
    <name>qn::Twnd_qn_Apps</name>
    <message>
        <source>Applications</source>
        <translation>Приложения</translation>
    </message>
    <message>
        <source>Traffic of each application now and this session, busiest first</source>
        <translation>Трафик каждого приложения сейчас и за этот сеанс, самые активные первыми</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Приложение</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Приём</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Передача</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Принято</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Передано</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Примечание</translation>
    </message>
    <message>
        <source>Counting per application is switched off (QUARNO_APPS=0).</source>
        <translation>Подсчёт по приложениям выключен (QUARNO_APPS=0).</translation>
    </message>
    <message>
        <source>This system does not tell which program a connection belongs to: all traffic is unattributed.</source>
        <translation>Эта система не сообщает, какой программе принадлежит соединение: весь трафик не распределён.</translation>
    </message>
    <message>
        <source>No cgroup v2 hierarchy is mounted, so programs cannot be told apart: their traffic shows as this session&apos;s.</source>
        <translation>Иерархия cgroup v2 не смонтирована, поэтому программы нельзя различить: их трафик показан как трафик этого сеанса.</translation>
    </message>
    <message>
        <source>The kernel does not say which cgroup made a connection (Linux 5.8 and later do): traffic shows as this session&apos;s.</source>
        <translation>Ядро не сообщает, какая cgroup открыла соединение (Linux 5.8 и новее сообщают): трафик показан как трафик этого сеанса.</translation>
    </message>
    <message>
        <source>The desktop does not start applications in units of their own, so their traffic shows as this session&apos;s.</source>
        <translation>Окружение рабочего стола не запускает приложения в отдельных юнитах, поэтому их трафик показан как трафик этого сеанса.</translation>
    </message>
    <message>
        <source>Other programs of this session</source>
        <translation>Другие программы этого сеанса</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Пользователь %1</translation>
    </message>
    <message>
        <source>Also uses UDP, which cannot be counted</source>
        <translation>Использует также UDP, который нельзя подсчитать</translation>
    </message>
    <message>
        <source>Unattributed</source>
        <translation>Не распределено</translation>
    </message>
    <message>
        <source>UDP such as QUIC and calls, other protocols, containers and virtual machines, connections shorter than a second</source>
        <translation>UDP, например QUIC и звонки, другие протоколы, контейнеры и виртуальные машины, соединения короче секунды</translation>
    </message>
    <message>
        <source>No traffic on the uplinks yet.</source>
        <translation>На внешних каналах пока нет трафика.</translation>
    </message>
    <message>
        <source>Applications account for %1% of the uplinks&apos; traffic.</source>
        <translation>На приложения приходится %1% трафика внешних каналов.</translation>
    </message>
</context>
</TS>
