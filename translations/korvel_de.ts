<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ClockDrift</name>
    <message>
        <source>The clock gains %1 s a day.</source>
        <translation>Die Uhr geht %1 s am Tag vor.</translation>
    </message>
    <message>
        <source>The clock loses %1 s a day.</source>
        <translation>Die Uhr geht %1 s am Tag nach.</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1 Stunden</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 Tage</translation>
    </message>
    <message>
        <source>%1 days or more</source>
        <translation>%1 Tage oder mehr</translation>
    </message>
    <message>
        <source>The drift is not known yet: it takes two updates at least an hour apart that measured the clock.</source>
        <translation>Die Gangabweichung ist noch nicht bekannt: Dafür braucht es zwei Aktualisierungen, die mindestens eine Stunde auseinander die Uhr gemessen haben.</translation>
    </message>
    <message>
        <source>The clock gains %1 s a day (%2 ppm), give or take %3 s;</source>
        <translation>Die Uhr geht %1 s am Tag vor (%2 ppm), auf %3 s genau;</translation>
    </message>
    <message>
        <source>The clock loses %1 s a day (%2 ppm), give or take %3 s;</source>
        <translation>Die Uhr geht %1 s am Tag nach (%2 ppm), auf %3 s genau;</translation>
    </message>
    <message>
        <source>an update every %1 keeps it within half a second.</source>
        <translation>eine Aktualisierung alle %1 hält sie auf eine halbe Sekunde genau.</translation>
    </message>
</context>
<context>
    <name>ClockSetting</name>
    <message>
        <source>Korvel is not allowed to change the clock</source>
        <translation>Korvel darf die Uhr nicht stellen</translation>
    </message>
    <message>
        <source>the clock was not set: %1</source>
        <translation>die Uhr wurde nicht gestellt: %1</translation>
    </message>
    <message>
        <source>the system&apos;s time service did not answer</source>
        <translation>der Zeitdienst des Systems hat nicht geantwortet</translation>
    </message>
    <message>
        <source>network time keeps the clock (automatic network time is on)</source>
        <translation>die Netzwerkzeit hält die Uhr (automatische Netzwerkzeit ist an)</translation>
    </message>
    <message>
        <source>permission to change the clock was refused or the request was dismissed</source>
        <translation>die Erlaubnis, die Uhr zu stellen, wurde verweigert oder die Anfrage abgebrochen</translation>
    </message>
    <message>
        <source>the system&apos;s time service (systemd-timedated) is not available</source>
        <translation>der Zeitdienst des Systems (systemd-timedated) ist nicht verfügbar</translation>
    </message>
    <message>
        <source>the system&apos;s time service did not set the clock</source>
        <translation>der Zeitdienst des Systems hat die Uhr nicht gestellt</translation>
    </message>
</context>
<context>
    <name>ClockUpdate</name>
    <message>
        <source>Please enter the name of the connection you are using so Korvel can look for it next time. This information can be found in the title bar of your connection. It will say &apos;Connected to XXXXXX&apos;


Please type in just the XXXXXX part.</source>
        <translation>Bitte geben Sie den Namen der Verbindung ein, die Sie benutzen, damit Korvel beim nächsten Mal nach ihr suchen kann. Sie finden ihn in der Titelleiste Ihrer Verbindung. Dort steht &apos;Verbunden mit XXXXXX&apos;


Bitte geben Sie nur den Teil XXXXXX ein.</translation>
    </message>
    <message>
        <source>network time keeps it</source>
        <translation>die Netzwerkzeit hält sie</translation>
    </message>
    <message>
        <source>permission was refused</source>
        <translation>die Erlaubnis wurde verweigert</translation>
    </message>
    <message>
        <source>no time service to set it</source>
        <translation>kein Zeitdienst, der sie stellt</translation>
    </message>
    <message>
        <source>the time service did not set it</source>
        <translation>der Zeitdienst hat sie nicht gestellt</translation>
    </message>
    <message>
        <source>Status: Looking for a connection...</source>
        <translation>Status: Suche eine Verbindung...</translation>
    </message>
    <message>
        <source>no connection</source>
        <translation>keine Verbindung</translation>
    </message>
    <message>
        <source>Status: Attmpting to contact time server...</source>
        <translation>Status: Versuche den Zeitserver zu erreichen...</translation>
    </message>
    <message>
        <source>Trying to get time...</source>
        <translation>Hole die Zeit...</translation>
    </message>
    <message>
        <source>Status: Not Connected.</source>
        <translation>Status: Nicht verbunden.</translation>
    </message>
    <message>
        <source>Status: Attempting to Connect...</source>
        <translation>Status: Versuche zu verbinden...</translation>
    </message>
    <message>
        <source>No Connection</source>
        <translation>Keine Verbindung</translation>
    </message>
    <message>
        <source>No connection to the internet found. Are you connected?</source>
        <translation>Keine Verbindung zum Internet gefunden. Sind Sie verbunden?</translation>
    </message>
    <message>
        <source>Name the connection</source>
        <translation>Verbindung benennen</translation>
    </message>
    <message>
        <source>the answers were not trusted</source>
        <translation>den Antworten war nicht zu trauen</translation>
    </message>
    <message>
        <source>Status: Time Received.</source>
        <translation>Status: Zeit empfangen.</translation>
    </message>
    <message>
        <source> %1
  Network Lagtime = %2</source>
        <comment>the time received, then the time its answer took</comment>
        <translation> %1
  Netzwerkverzögerung = %2</translation>
    </message>
    <message>
        <source>Status: The clock is now within %1 ms of the time servers.</source>
        <translation>Status: Die Uhr weicht jetzt höchstens %1 ms von den Zeitservern ab.</translation>
    </message>
    <message>
        <source>Network Time</source>
        <translation>Netzwerkzeit</translation>
    </message>
    <message>
        <source>Network time keeps this PC&apos;s clock, so Korvel may not set it.

Korvel can turn network time off and keep the clock itself; the system may ask for permission. The time just received is then put on the clock.</source>
        <translation>Die Netzwerkzeit hält die Uhr dieses PCs, daher darf Korvel sie nicht stellen.

Korvel kann die Netzwerkzeit ausschalten und die Uhr selbst halten; das System fragt dafür womöglich nach einer Erlaubnis. Die eben empfangene Zeit wird dann auf die Uhr übernommen.</translation>
    </message>
    <message>
        <source>Turn Off Network Time</source>
        <translation>Netzwerkzeit ausschalten</translation>
    </message>
    <message>
        <source>Leave Network Time On</source>
        <translation>Netzwerkzeit anlassen</translation>
    </message>
    <message>
        <source>Status: Clock not set: %1</source>
        <translation>Status: Uhr nicht gestellt: %1</translation>
    </message>
    <message>
        <source>The PC clock is %1 s ahead of the time servers (±%2 s); %3</source>
        <translation>Die Uhr des PCs geht %1 s gegenüber den Zeitservern vor (±%2 s); %3</translation>
    </message>
    <message>
        <source>The PC clock is %1 s behind the time servers (±%2 s); %3</source>
        <translation>Die Uhr des PCs geht %1 s gegenüber den Zeitservern nach (±%2 s); %3</translation>
    </message>
    <message>
        <source>network time keeps it.</source>
        <translation>die Netzwerkzeit hält sie.</translation>
    </message>
    <message>
        <source>the clock was not changed.</source>
        <translation>die Uhr wurde nicht verändert.</translation>
    </message>
    <message>
        <source>Status: Automatic updates will not ask again until you press &quot;Set Time&quot;.</source>
        <translation>Status: Automatische Aktualisierungen fragen erst wieder, wenn Sie &quot;Zeit stellen&quot; drücken.</translation>
    </message>
    <message>
        <source> Clock not set:
  %1</source>
        <translation> Uhr nicht gestellt:
  %1</translation>
    </message>
    <message>
        <source>Can&apos;t Get Time please check your connection to the internet and retry.</source>
        <translation>Keine Zeit erhalten, bitte prüfen Sie Ihre Verbindung zum Internet und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>no time server answered</source>
        <translation>kein Zeitserver hat geantwortet</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Modem</source>
        <translation>Modem</translation>
    </message>
    <message>
        <source>Modem (Busy)</source>
        <translation>Modem (belegt)</translation>
    </message>
    <message>
        <source>LAN</source>
        <translation>LAN</translation>
    </message>
    <message>
        <source>Proxy Server</source>
        <translation>Proxyserver</translation>
    </message>
    <message>
        <source>Status: Connected - %1</source>
        <translation>Status: Verbunden über %1</translation>
    </message>
    <message>
        <source>Status: No Connection Found</source>
        <translation>Status: Keine Verbindung gefunden</translation>
    </message>
    <message>
        <source>Status: Disconnected</source>
        <translation>Status: Getrennt</translation>
    </message>
    <message>
        <source>I can only disconnect from connections I made.</source>
        <translation>Ich kann nur Verbindungen trennen, die ich hergestellt habe.</translation>
    </message>
    <message>
        <source>Status: NO RAS</source>
        <comment>no dial-up service (remote access) on this PC</comment>
        <translation>Status: KEIN DFÜ-DIENST</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Status: The clock cannot be set: %1</source>
        <translation>Status: Die Uhr kann nicht gestellt werden: %1</translation>
    </message>
    <message>
        <source>Korvel Time &amp; Date Setter</source>
        <translation>Korvel Zeit- und Datumsstellung</translation>
    </message>
    <message>
        <source>Set Time</source>
        <translation>Zeit stellen</translation>
    </message>
    <message>
        <source>This will set your PC&apos;s date and time from the Atomic clock.</source>
        <translation>Stellt Datum und Uhrzeit Ihres PCs nach der Atomuhr.</translation>
    </message>
    <message>
        <source>Click &quot;Set Time&quot; to get current time.</source>
        <translation>Klicken Sie auf &quot;Zeit stellen&quot;, um die aktuelle Zeit zu holen.</translation>
    </message>
    <message>
        <source>Here you will see the date and time received or an error message.</source>
        <translation>Hier sehen Sie das empfangene Datum und die Uhrzeit oder eine Fehlermeldung.</translation>
    </message>
    <message>
        <source>Date/Time:</source>
        <translation>Datum/Zeit:</translation>
    </message>
    <message>
        <source>This shows the connection information.</source>
        <translation>Hier stehen die Angaben zur Verbindung.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>This will connect you to the selected connection</source>
        <translation>Stellt die gewählte Verbindung her</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>This will disconnect you if Korvel made the connection.</source>
        <translation>Trennt die Verbindung, wenn Korvel sie hergestellt hat.</translation>
    </message>
    <message>
        <source>       Auto Dial up</source>
        <translation>       Automatisch wählen</translation>
    </message>
    <message>
        <source>Disconnect when done</source>
        <translation>Danach trennen</translation>
    </message>
    <message>
        <source>This will tell the program to disconnect a connection it made when it&apos;s done</source>
        <translation>Das Programm trennt eine Verbindung, die es hergestellt hat, wenn es fertig ist</translation>
    </message>
    <message>
        <source>       Update Time every             hours</source>
        <translation>       Zeit stellen alle             Stunden</translation>
    </message>
    <message>
        <source>Unload at startup if next scheduled update time is more than           hours away</source>
        <translation>Beim Start beenden, wenn die nächste Aktualisierung mehr als           Stunden entfernt ist</translation>
    </message>
    <message>
        <source>Secondary Time</source>
        <translation>Zweite Zeit</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Help &amp;File</source>
        <translation>Hilfe&amp;datei</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Beep On Update</source>
        <translation>Piepen beim Stellen</translation>
    </message>
    <message>
        <source>Let network time keep the clock</source>
        <translation>Die Netzwerkzeit die Uhr halten lassen</translation>
    </message>
    <message>
        <source>Change &amp;Settings</source>
        <translation>&amp;Einstellungen ändern</translation>
    </message>
    <message>
        <source>Time &amp;Zone</source>
        <translation>&amp;Zeitzone</translation>
    </message>
    <message>
        <source>&amp;Regional</source>
        <translation>&amp;Regionales</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Verlauf…</translation>
    </message>
    <message>
        <source>The date and time received, or an error message</source>
        <translation>Das empfangene Datum und die Uhrzeit oder eine Fehlermeldung</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Dial-up connection</source>
        <translation>Wählverbindung</translation>
    </message>
    <message>
        <source>Update Time every</source>
        <translation>Zeit stellen alle</translation>
    </message>
    <message>
        <source>Hours between updates</source>
        <translation>Stunden zwischen den Aktualisierungen</translation>
    </message>
    <message>
        <source>Hours away at which a start unloads</source>
        <translation>Stunden bis zur Aktualisierung, ab denen ein Start beendet</translation>
    </message>
    <message>
        <source>Time zone of the secondary time</source>
        <translation>Zeitzone der zweiten Zeit</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Korvel Help</source>
        <translation>Korvel-Hilfe</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Korvel Help&lt;/h3&gt;&lt;p&gt;The help file could not be opened:&lt;/p&gt;&lt;p&gt;&lt;i&gt;%1&lt;/i&gt;&lt;/p&gt;&lt;p&gt;Installing Korvel again puts it back.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Korvel-Hilfe&lt;/h3&gt;&lt;p&gt;Die Hilfedatei konnte nicht geöffnet werden:&lt;/p&gt;&lt;p&gt;&lt;i&gt;%1&lt;/i&gt;&lt;/p&gt;&lt;p&gt;Korvel erneut zu installieren, stellt sie wieder her.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>HistoryChart</name>
    <message>
        <source>Set the clock</source>
        <translation>Uhr gestellt</translation>
    </message>
    <message>
        <source>Measured only</source>
        <translation>Nur gemessen</translation>
    </message>
    <message>
        <source>Drift</source>
        <translation>Gangabweichung</translation>
    </message>
    <message>
        <source>PC − servers (s)</source>
        <translation>PC − Server (s)</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>cannot read the update history %1 (%2)</source>
        <translation>der Aktualisierungsverlauf %1 ist nicht lesbar (%2)</translation>
    </message>
    <message>
        <source>damaged lines skipped in %1: %2</source>
        <translation>beschädigte Zeilen in %1 übersprungen: %2</translation>
    </message>
    <message>
        <source>No updates recorded yet.</source>
        <translation>Noch keine Aktualisierung aufgezeichnet.</translation>
    </message>
</context>
<context>
    <name>HistoryItems</name>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Verlauf…</translation>
    </message>
    <message>
        <source>Korvel - History</source>
        <translation>Korvel: Verlauf</translation>
    </message>
    <message>
        <source>The History window cannot be opened: %1</source>
        <translation>Das Verlaufsfenster kann nicht geöffnet werden: %1</translation>
    </message>
</context>
<context>
    <name>HistoryModel</name>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
</context>
<context>
    <name>HistoryRecord</name>
    <message>
        <source>set</source>
        <translation>gestellt</translation>
    </message>
    <message>
        <source>checked</source>
        <translation>geprüft</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>nicht gestellt</translation>
    </message>
    <message>
        <source>not set: %1</source>
        <translation>nicht gestellt: %1</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>keine Antwort</translation>
    </message>
</context>
<context>
    <name>HistorySummary</name>
    <message>
        <source>No updates recorded yet.</source>
        <translation>Noch keine Aktualisierung aufgezeichnet.</translation>
    </message>
    <message>
        <source>%1 updates from %2 to %3: %4 set the clock, %5 measured it without setting it, %6 measured nothing.</source>
        <translation>%1 Aktualisierungen von %2 bis %3: %4 haben die Uhr gestellt, %5 sie nur gemessen, %6 nichts gemessen.</translation>
    </message>
    <message>
        <source>The PC clock was between %1 s and %2 s off the time servers.</source>
        <translation>Die Uhr des PCs wich zwischen %1 s und %2 s von den Zeitservern ab.</translation>
    </message>
</context>
<context>
    <name>HistoryTable</name>
    <message>
        <source>Time (UTC)</source>
        <translation>Zeit (UTC)</translation>
    </message>
    <message>
        <source>What happened</source>
        <translation>Was geschah</translation>
    </message>
    <message>
        <source>Offset (s)</source>
        <translation>Abweichung (s)</translation>
    </message>
    <message>
        <source>± (s)</source>
        <translation>± (s)</translation>
    </message>
    <message>
        <source>Lag (s)</source>
        <translation>Verzögerung (s)</translation>
    </message>
    <message>
        <source>Asked by</source>
        <translation>Angestoßen von</translation>
    </message>
    <message>
        <source>Servers that answered</source>
        <translation>Server, die geantwortet haben</translation>
    </message>
    <message>
        <source>user</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>schedule</source>
        <translation>Zeitplan</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Korvel - History</source>
        <translation>Korvel: Verlauf</translation>
    </message>
    <message>
        <source>Chart of the PC clock&apos;s offset at each update</source>
        <translation>Diagramm der Abweichung der PC-Uhr bei jeder Aktualisierung</translation>
    </message>
    <message>
        <source>Recorded updates</source>
        <translation>Aufgezeichnete Aktualisierungen</translation>
    </message>
    <message>
        <source>&amp;Copy as CSV</source>
        <translation>Als CSV &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Save as CSV…</source>
        <translation>Als CSV &amp;speichern…</translation>
    </message>
    <message>
        <source>The update history %1 cannot be read: %2.</source>
        <translation>Der Aktualisierungsverlauf %1 ist nicht lesbar: %2.</translation>
    </message>
    <message>
        <source>Damaged lines skipped: %1.</source>
        <translation>Beschädigte Zeilen übersprungen: %1.</translation>
    </message>
    <message>
        <source>Save the History as CSV</source>
        <translation>Den Verlauf als CSV speichern</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The history was not saved to %1: %2</source>
        <translation>Der Verlauf wurde nicht in %1 gespeichert: %2</translation>
    </message>
</context>
<context>
    <name>NetworkTimeItem</name>
    <message>
        <source>Status: The system&apos;s network time keeps the clock; &quot;Set Time&quot; will offer to take over.</source>
        <translation>Status: Die Netzwerkzeit des Systems hält die Uhr; &quot;Zeit stellen&quot; bietet an, sie zu übernehmen.</translation>
    </message>
    <message>
        <source>Status: Network time is off; &quot;Set Time&quot; sets the clock.</source>
        <translation>Status: Die Netzwerkzeit ist aus; &quot;Zeit stellen&quot; stellt die Uhr.</translation>
    </message>
</context>
<context>
    <name>NetworkTimeSwitch</name>
    <message>
        <source>Status: Network time was not turned on: %1</source>
        <translation>Status: Die Netzwerkzeit wurde nicht eingeschaltet: %1</translation>
    </message>
    <message>
        <source>Status: Network time was not turned off: %1</source>
        <translation>Status: Die Netzwerkzeit wurde nicht ausgeschaltet: %1</translation>
    </message>
    <message>
        <source>network time is being changed already</source>
        <translation>die Netzwerkzeit wird schon umgeschaltet</translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>larger than 1 MiB</source>
        <translation>größer als 1 MiB</translation>
    </message>
    <message>
        <source>not a plain file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>Options cannot be kept: neither XDG_CONFIG_HOME nor HOME names a folder; the defaults apply</source>
        <translation>Optionen können nicht gespeichert werden: weder XDG_CONFIG_HOME noch HOME nennt einen Ordner; es gelten die Vorgaben</translation>
    </message>
    <message>
        <source>Options not read: cannot read %1 (%2); the defaults apply and the file is left as it is</source>
        <translation>Optionen nicht gelesen: %1 ist nicht lesbar (%2); es gelten die Vorgaben, und die Datei bleibt, wie sie ist</translation>
    </message>
    <message>
        <source>Options not saved: %1 is no longer a settings file (%2)</source>
        <translation>Optionen nicht gespeichert: %1 ist keine Einstellungsdatei mehr (%2)</translation>
    </message>
    <message>
        <source>Options not saved: cannot write %1</source>
        <translation>Optionen nicht gespeichert: %1 ist nicht schreibbar</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>Schedule</name>
    <message>
        <source>Last update was on - %1</source>
        <translation>Letzte Aktualisierung am %1</translation>
    </message>
    <message>
        <source>Next update is in %1</source>
        <translation>Nächste Aktualisierung in %1</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1 Stunden</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>%1 seconds.</source>
        <comment>at the end of a sentence</comment>
        <translation>%1 Sekunden.</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <source>Korvel - Next update is in %1</source>
        <translation>Korvel: Nächste Aktualisierung in %1</translation>
    </message>
    <message>
        <source>Korvel - Automatic updates wait for &quot;Set Time&quot;</source>
        <translation>Korvel: Automatische Aktualisierungen warten auf &quot;Zeit stellen&quot;</translation>
    </message>
    <message>
        <source>Korvel - Clock not set: %1. Next check in %2</source>
        <translation>Korvel: Uhr nicht gestellt: %1. Nächste Prüfung in %2</translation>
    </message>
</context>
<context>
    <name>StatusReport</name>
    <message>
        <source>Drift: %1</source>
        <translation>Gangabweichung: %1</translation>
    </message>
</context>
<context>
    <name>TimeEstimator</name>
    <message>
        <source>%1 The clock was not changed.</source>
        <comment>%1: why</comment>
        <translation>%1 Die Uhr wurde nicht verändert.</translation>
    </message>
    <message>
        <source>Status: The time server sent %1 UTC, which cannot be right.</source>
        <translation>Status: Der Zeitserver hat %1 UTC gesendet, das kann nicht stimmen.</translation>
    </message>
    <message>
        <source>Status: %1 is off from the others and was left out.</source>
        <translation>Status: %1 weicht von den anderen ab und wurde ausgelassen.</translation>
    </message>
    <message>
        <source>Status: The PC&apos;s clock moved while the time servers were asked (the PC slept, or its time was changed).</source>
        <translation>Status: Die Uhr des PCs ist gesprungen, während die Zeitserver gefragt wurden (der PC hat geschlafen, oder seine Zeit wurde geändert).</translation>
    </message>
    <message>
        <source>Status: No time server answered within a second.</source>
        <translation>Status: Kein Zeitserver hat binnen einer Sekunde geantwortet.</translation>
    </message>
    <message>
        <source>Status: The time servers disagree.</source>
        <translation>Status: Die Zeitserver sind sich nicht einig.</translation>
    </message>
    <message>
        <source>Status: The time servers disagree: %1 is off from the others, but %2 agrees with it.</source>
        <translation>Status: Die Zeitserver sind sich nicht einig: %1 weicht von den anderen ab, aber %2 stimmt ihm zu.</translation>
    </message>
    <message>
        <source>Status: Only one time server answered, and it would move the clock by more than a day; that takes two servers that agree.</source>
        <translation>Status: Nur ein Zeitserver hat geantwortet, und er würde die Uhr um mehr als einen Tag verstellen; dafür braucht es zwei Server, die sich einig sind.</translation>
    </message>
    <message>
        <source>Status: The time server would move the clock by more than a day, and asked again 4 seconds later its time had not moved on by 4 seconds.</source>
        <translation>Status: Der Zeitserver würde die Uhr um mehr als einen Tag verstellen, und 4 Sekunden später erneut gefragt, war seine Zeit nicht um 4 Sekunden weitergegangen.</translation>
    </message>
    <message>
        <source>Status: Were one time server wrong, the answers would still leave %1 ms open; the clock is set only when it lands within %2 ms of the time servers.</source>
        <translation>Status: Läge ein Zeitserver falsch, ließen die Antworten noch %1 ms offen; die Uhr wird nur gestellt, wenn sie höchstens %2 ms von den Zeitservern entfernt landet.</translation>
    </message>
</context>
<context>
    <name>TimeZones</name>
    <message>
        <source>Afghanistan-Kabul</source>
        <translation>Afghanistan: Kabul</translation>
    </message>
    <message>
        <source>Alaska</source>
        <translation>Alaska</translation>
    </message>
    <message>
        <source>Arab - Baghdad, Kuwait, Riyadh</source>
        <translation>Arabien: Bagdad, Kuwait, Riad</translation>
    </message>
    <message>
        <source>Arabian - Abu Dhabi, Muscat</source>
        <translation>Arabische Halbinsel: Abu Dhabi, Maskat</translation>
    </message>
    <message>
        <source>Atlantic Time (Canada)</source>
        <translation>Atlantikzeit (Kanada)</translation>
    </message>
    <message>
        <source>AUS Central - Darwin</source>
        <translation>Zentralaustralien: Darwin</translation>
    </message>
    <message>
        <source>AUS Eastern - Canberra, Melbourne, Sydney</source>
        <translation>Ostaustralien: Canberra, Melbourne, Sydney</translation>
    </message>
    <message>
        <source>Azores - Cape Verde Is.</source>
        <translation>Azoren: Kapverdische Inseln</translation>
    </message>
    <message>
        <source>Canada Central - Saskatchewan</source>
        <translation>Zentralkanada: Saskatchewan</translation>
    </message>
    <message>
        <source>Caucasus - Baku, Tbilisi</source>
        <translation>Kaukasus: Baku, Tiflis</translation>
    </message>
    <message>
        <source>Cen. Australia - Adelaide</source>
        <translation>Mittelaustralien: Adelaide</translation>
    </message>
    <message>
        <source>Central Asia - Almaty, Dhaka</source>
        <translation>Zentralasien: Almaty, Dhaka</translation>
    </message>
    <message>
        <source>Central Europe (GMT+01:00) Belgrade, Bratislava, Budapest, Prague, Sarajevo, Warsaw</source>
        <translation>Mitteleuropa (GMT+01:00) Belgrad, Bratislava, Budapest, Prag, Sarajevo, Warschau</translation>
    </message>
    <message>
        <source>Central Pacific - Magadan, Solomon Is., New Caledonia</source>
        <translation>Zentralpazifik: Magadan, Salomonen, Neukaledonien</translation>
    </message>
    <message>
        <source>China - Beijing, Chongqing, Hong Kong, Urumqi</source>
        <translation>China: Peking, Chongqing, Hongkong, Ürümqi</translation>
    </message>
    <message>
        <source>Dateline - Eniwetok, Kwajalein</source>
        <translation>Datumsgrenze: Eniwetok, Kwajalein</translation>
    </message>
    <message>
        <source>E. Africa - Nairobi</source>
        <translation>Ostafrika: Nairobi</translation>
    </message>
    <message>
        <source>E. Australia - Brisbane</source>
        <translation>Ostaustralien: Brisbane</translation>
    </message>
    <message>
        <source>E. Europe - Bucharest</source>
        <translation>Osteuropa: Bukarest</translation>
    </message>
    <message>
        <source>E. South America - Brasilia</source>
        <translation>Östliches Südamerika: Brasília</translation>
    </message>
    <message>
        <source>Eastern Time (US &amp; Canada)</source>
        <translation>Eastern Time (USA und Kanada)</translation>
    </message>
    <message>
        <source>Egypt - Cairo</source>
        <translation>Ägypten: Kairo</translation>
    </message>
    <message>
        <source>Ekaterinburg</source>
        <translation>Jekaterinburg</translation>
    </message>
    <message>
        <source>Fiji - Kamchatka, Marshall Is.</source>
        <translation>Fidschi: Kamtschatka, Marshallinseln</translation>
    </message>
    <message>
        <source>FLE - Helsinki, Riga, Tallinn</source>
        <translation>FLE: Helsinki, Riga, Tallinn</translation>
    </message>
    <message>
        <source>GMT - Dublin, Edinburgh, Lisbon, London, Casablanca, Monrovia</source>
        <translation>GMT: Dublin, Edinburgh, Lissabon, London, Casablanca, Monrovia</translation>
    </message>
    <message>
        <source>GTB - Athens, Istanbul, Minsk</source>
        <translation>GTB: Athen, Istanbul, Minsk</translation>
    </message>
    <message>
        <source>Hawaii</source>
        <translation>Hawaii</translation>
    </message>
    <message>
        <source>India - Bombay, Calcutta, Madras, New Delhi</source>
        <translation>Indien: Bombay, Kalkutta, Madras, Neu-Delhi</translation>
    </message>
    <message>
        <source>Iran - Tehran</source>
        <translation>Iran: Teheran</translation>
    </message>
    <message>
        <source>Israel</source>
        <translation>Israel</translation>
    </message>
    <message>
        <source>Korea - Seoul</source>
        <translation>Korea: Seoul</translation>
    </message>
    <message>
        <source>Mexico - Mexico City, Tegucigalpa</source>
        <translation>Mexiko: Mexiko-Stadt, Tegucigalpa</translation>
    </message>
    <message>
        <source>Mid-Atlantic</source>
        <translation>Mittelatlantik</translation>
    </message>
    <message>
        <source>New Zealand - Auckland, Wellington</source>
        <translation>Neuseeland: Auckland, Wellington</translation>
    </message>
    <message>
        <source>Newfoundland</source>
        <translation>Neufundland</translation>
    </message>
    <message>
        <source>Romance - Brussels, Copenhagen, Madrid, Paris, Vilnius</source>
        <translation>Romanisch: Brüssel, Kopenhagen, Madrid, Paris, Vilnius</translation>
    </message>
    <message>
        <source>Russian - Moscow, St. Petersburg, Volgograd</source>
        <translation>Russland: Moskau, St. Petersburg, Wolgograd</translation>
    </message>
    <message>
        <source>SA Eastern - Buenos Aires, Georgetown</source>
        <translation>Östliches Südamerika: Buenos Aires, Georgetown</translation>
    </message>
    <message>
        <source>SA Pacific - Bogota, Lima, Quito</source>
        <translation>Pazifisches Südamerika: Bogotá, Lima, Quito</translation>
    </message>
    <message>
        <source>SA Western - Caracas, La Paz</source>
        <translation>Westliches Südamerika: Caracas, La Paz</translation>
    </message>
    <message>
        <source>Samoa - Midway Island</source>
        <translation>Samoa: Midwayinseln</translation>
    </message>
    <message>
        <source>SE Asia - Bangkok, Hanoi, Jakarta</source>
        <translation>Südostasien: Bangkok, Hanoi, Jakarta</translation>
    </message>
    <message>
        <source>Singapore</source>
        <translation>Singapur</translation>
    </message>
    <message>
        <source>South Africa - Harare, Pretoria</source>
        <translation>Südafrika: Harare, Pretoria</translation>
    </message>
    <message>
        <source>Sri Lanka - Colombo</source>
        <translation>Sri Lanka: Colombo</translation>
    </message>
    <message>
        <source>Taipei</source>
        <translation>Taipeh</translation>
    </message>
    <message>
        <source>Tasmania - Hobart</source>
        <translation>Tasmanien: Hobart</translation>
    </message>
    <message>
        <source>Tokyo - Osaka, Sapporo, Tokyo</source>
        <translation>Tokio: Osaka, Sapporo, Tokio</translation>
    </message>
    <message>
        <source>US Eastern (US &amp; Canada)- New York</source>
        <translation>US-Ostküste (USA und Kanada): New York</translation>
    </message>
    <message>
        <source>US Central Time (US &amp; Canada) - Chicago</source>
        <translation>US Central Time (USA und Kanada): Chicago</translation>
    </message>
    <message>
        <source>US Mountain (US &amp; Canada) - St.Louis</source>
        <translation>US Mountain (USA und Kanada): St. Louis</translation>
    </message>
    <message>
        <source>US Pacific Time (US &amp; Canada)- Los Angeles, Tijuana</source>
        <translation>US-Pazifikzeit (USA und Kanada): Los Angeles, Tijuana</translation>
    </message>
    <message>
        <source>Vladivostok</source>
        <translation>Wladiwostok</translation>
    </message>
    <message>
        <source>W. Australia - Perth</source>
        <translation>Westaustralien: Perth</translation>
    </message>
    <message>
        <source>W. Europe - Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna</source>
        <translation>Westeuropa: Amsterdam, Berlin, Bern, Rom, Stockholm, Wien</translation>
    </message>
    <message>
        <source>West Asia - Islamabad, Karachi, Tashkent</source>
        <translation>Westasien: Islamabad, Karatschi, Taschkent</translation>
    </message>
    <message>
        <source>West Pacific - Guam, Port Moresby</source>
        <translation>Westpazifik: Guam, Port Moresby</translation>
    </message>
    <message>
        <source>Yakutsk</source>
        <translation>Jakutsk</translation>
    </message>
</context>
<context>
    <name>TrayPresence</name>
    <message>
        <source>&amp;Show Korvel</source>
        <comment>tray menu</comment>
        <translation>Korvel &amp;zeigen</translation>
    </message>
    <message>
        <source>&amp;Minimize Korvel</source>
        <comment>tray menu</comment>
        <translation>Korvel &amp;minimieren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <comment>tray menu</comment>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>UpdateHistory</name>
    <message>
        <source>neither XDG_STATE_HOME nor HOME names a folder</source>
        <translation>weder XDG_STATE_HOME noch HOME nennt einen Ordner</translation>
    </message>
    <message>
        <source>Status: The update history %1 could not be read (%2); it is kept as %1.old and a new one is begun.</source>
        <translation>Status: Der Aktualisierungsverlauf %1 war nicht lesbar (%2); er bleibt als %1.old erhalten, und ein neuer wird begonnen.</translation>
    </message>
    <message>
        <source>Status: The update history cannot be written (%1); updates go on without it.</source>
        <translation>Status: Der Aktualisierungsverlauf ist nicht schreibbar (%1); die Aktualisierungen gehen ohne ihn weiter.</translation>
    </message>
</context>
<context>
    <name>frmSysTray</name>
    <message>
        <source>&amp;Popup</source>
        <translation>&amp;Kontextmenü</translation>
    </message>
    <message>
        <source>Sys Tray Interface</source>
        <translation>Schnittstelle zum Systembereich</translation>
    </message>
    <message>
        <source>Time / Date Setting Program</source>
        <translation>Programm zum Stellen von Zeit und Datum</translation>
    </message>
</context>
</TS>
