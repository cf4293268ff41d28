<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
<context>
    <name>DesktopNotification</name>
    <message>
        <source>Show</source>
        <extracomment>What a click on the notification does, where the desktop names it: the window comes back.</extracomment>
        <translation>Pokaż</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Timer reset.</source>
        <translation>Licznik wyzerowany.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>STOP!</source>
        <translation>STOP!</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Timer not started...</source>
        <translation>Licznik nie został uruchomiony...</translation>
    </message>
    <message>
        <source> h</source>
        <extracomment>After the number of hours in the delay.</extracomment>
        <translation> godz.</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Godziny</translation>
    </message>
    <message>
        <source> m</source>
        <extracomment>After the number of minutes in the delay.</extracomment>
        <translation> min</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuty</translation>
    </message>
    <message>
        <source> d</source>
        <extracomment>After the number of days in the delay.</extracomment>
        <translation> dn.</translation>
    </message>
    <message>
        <source>Maximum is 38 days.</source>
        <translation>Maksymalnie 38 dni.</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Dni</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Akcja</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Stan</translation>
    </message>
</context>
<context>
    <name>NoticeWindow</name>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>%1 – Velmora</source>
        <extracomment>A notice&apos;s title: %1 says what it is about, &quot;Shutdown in 5 minutes&quot; or &quot;Shutdown not done&quot;.</extracomment>
        <translation>%1 – Velmora</translation>
    </message>
</context>
<context>
    <name>PowerActions</name>
    <message>
        <source>Shutdown</source>
        <extracomment>An entry of the action list: the computer is switched off.</extracomment>
        <translation>Wyłącz</translation>
    </message>
    <message>
        <source>Reboot</source>
        <extracomment>An entry of the action list.</extracomment>
        <translation>Uruchom ponownie</translation>
    </message>
    <message>
        <source>Log off</source>
        <extracomment>An entry of the action list: the user&apos;s session ends.</extracomment>
        <translation>Wyloguj</translation>
    </message>
</context>
<context>
    <name>ProspectSentences</name>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the shutdown will not happen.</source>
        <translation>System zażąda hasła administratora. Jeśli nikt go nie poda, wyłączenie nie nastąpi.</translation>
    </message>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the reboot will not happen.</source>
        <translation>System zażąda hasła administratora. Jeśli nikt go nie poda, ponowne uruchomienie nie nastąpi.</translation>
    </message>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the log off will not happen.</source>
        <translation>System zażąda hasła administratora. Jeśli nikt go nie poda, wylogowanie nie nastąpi.</translation>
    </message>
    <message>
        <source>Shutdown will not work from here: Velmora is not running inside a login session.</source>
        <translation>Wyłączenie stąd nie zadziała: Velmora nie działa w sesji logowania.</translation>
    </message>
    <message>
        <source>Reboot will not work from here: Velmora is not running inside a login session.</source>
        <translation>Ponowne uruchomienie stąd nie zadziała: Velmora nie działa w sesji logowania.</translation>
    </message>
    <message>
        <source>Log off will not work from here: Velmora is not running inside a login session.</source>
        <translation>Wylogowanie stąd nie zadziała: Velmora nie działa w sesji logowania.</translation>
    </message>
    <message>
        <source>“%1” (yours) is still running: “%2”. It will be stopped.</source>
        <extracomment>A program of the user&apos;s that the action will stop: %1 is its name, %2 what it says it is doing.</extracomment>
        <translation>„%1” (Twój program) nadal działa: „%2”. Zostanie zamknięty.</translation>
    </message>
    <message>
        <source>“%1” holds it off: “%2”.</source>
        <extracomment>A program that holds the action off: %1 is its name, %2 the reason it gives.</extracomment>
        <translation>„%1” wstrzymuje tę akcję: „%2”.</translation>
    </message>
    <message>
        <source>The system does not allow this action.</source>
        <translation>System nie zezwala na tę akcję.</translation>
    </message>
</context>
<context>
    <name>RefusalReport</name>
    <message>
        <source>Shutdown not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Nie wykonano wyłączenia</translation>
    </message>
    <message>
        <source>Reboot not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Nie wykonano ponownego uruchomienia</translation>
    </message>
    <message>
        <source>Log off not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Nie wykonano wylogowania</translation>
    </message>
    <message>
        <source>the system accepted the request, but the session did not end. The desktop may be waiting for an answer in a window of its own.</source>
        <translation>system przyjął żądanie, ale sesja się nie zakończyła. Środowisko pulpitu może czekać na odpowiedź we własnym oknie.</translation>
    </message>
    <message>
        <source>the system accepted the request, but the computer is still running. A program may be holding it off.</source>
        <translation>system przyjął żądanie, ale komputer nadal działa. Być może wstrzymuje to jakiś program.</translation>
    </message>
    <message>
        <source>the system wants an administrator&apos;s password, and no password prompt could be shown (no authentication agent runs for this session).</source>
        <translation>system wymaga hasła administratora, a nie można było wyświetlić okna hasła (w tej sesji nie działa żaden agent uwierzytelniania).</translation>
    </message>
    <message>
        <source>the system asked for an administrator&apos;s password and nobody entered it in time.</source>
        <translation>system poprosił o hasło administratora i nikt nie podał go na czas.</translation>
    </message>
    <message>
        <source>the password was refused or the prompt was cancelled.</source>
        <translation>hasło zostało odrzucone lub anulowano okno hasła.</translation>
    </message>
    <message>
        <source>the system&apos;s policy does not allow this action for this user.</source>
        <translation>zasady systemu nie pozwalają temu użytkownikowi na tę akcję.</translation>
    </message>
    <message>
        <source>Velmora is not running inside a login session that can be ended. Start it from the desktop&apos;s menu to log off.</source>
        <translation>Velmora nie działa w sesji logowania, którą można zakończyć. Uruchom ją z menu pulpitu, aby się wylogować.</translation>
    </message>
    <message>
        <source>another shutdown or reboot is already under way.</source>
        <translation>trwa już inne wyłączanie lub ponowne uruchamianie.</translation>
    </message>
    <message>
        <source>%1.</source>
        <extracomment>The report&apos;s first line, with nothing to explain: %1 is &quot;Shutdown not done&quot; or the like.</extracomment>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>The report&apos;s first line: %1 is &quot;Shutdown not done&quot; or the like, %2 what that means, as in &quot;the system&apos;s policy does not allow this action for this user.&quot;.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The system answered: %1</source>
        <extracomment>%1 is the system&apos;s own answer, in its own words.</extracomment>
        <translation>Odpowiedź systemu: %1</translation>
    </message>
    <message>
        <source>Report</source>
        <extracomment>The report&apos;s message, as a screen reader names it.</extracomment>
        <translation>Raport</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Spróbuj ponownie</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Tried again at %1 – same answer.</source>
        <extracomment>%1 is the clock time of the second request, &quot;21:05:42&quot;.</extracomment>
        <translation>Ponowiono o %1 – ta sama odpowiedź.</translation>
    </message>
    <message>
        <source>Tried again at %1.</source>
        <extracomment>%1 is the clock time of the second request, &quot;21:05:42&quot;.</extracomment>
        <translation>Ponowiono o %1.</translation>
    </message>
    <message>
        <source>the system did not answer. Its message bus may be stuck or very busy; try again in a moment.</source>
        <translation>system nie odpowiedział. Jego magistrala komunikatów może być zablokowana lub bardzo obciążona; spróbuj ponownie za chwilę.</translation>
    </message>
    <message>
        <source>The system accepted the request, but the session did not end. The desktop may be waiting for an answer in a window of its own.</source>
        <translation>System przyjął żądanie, ale sesja się nie zakończyła. Środowisko pulpitu może czekać na odpowiedź we własnym oknie.</translation>
    </message>
    <message>
        <source>The system accepted the request, but the computer is still running. A program may be holding it off.</source>
        <translation>System przyjął żądanie, ale komputer nadal działa. Być może wstrzymuje to jakiś program.</translation>
    </message>
    <message>
        <source>The system wants an administrator&apos;s password, and no password prompt could be shown (no authentication agent runs for this session).</source>
        <translation>System wymaga hasła administratora, a nie można było wyświetlić okna hasła (w tej sesji nie działa żaden agent uwierzytelniania).</translation>
    </message>
    <message>
        <source>The system asked for an administrator&apos;s password and nobody entered it in time.</source>
        <translation>System poprosił o hasło administratora i nikt nie podał go na czas.</translation>
    </message>
    <message>
        <source>The password was refused or the prompt was cancelled.</source>
        <translation>Hasło zostało odrzucone lub anulowano okno hasła.</translation>
    </message>
    <message>
        <source>The system&apos;s policy does not allow this action for this user.</source>
        <translation>Zasady systemu nie pozwalają temu użytkownikowi na tę akcję.</translation>
    </message>
    <message>
        <source>Another shutdown or reboot is already under way.</source>
        <translation>Trwa już inne wyłączanie lub ponowne uruchamianie.</translation>
    </message>
    <message>
        <source>The system did not answer. Its message bus may be stuck or very busy; try again in a moment.</source>
        <translation>System nie odpowiedział. Jego magistrala komunikatów może być zablokowana lub bardzo obciążona; spróbuj ponownie za chwilę.</translation>
    </message>
</context>
<context>
    <name>RunWarning</name>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minutę</numerusform>
            <numerusform>%n minuty</numerusform>
            <numerusform>%n minut</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n sekundę</numerusform>
            <numerusform>%n sekundy</numerusform>
            <numerusform>%n sekund</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>A time left of minutes and seconds: %1 is &quot;%n minute(s)&quot;, %2 &quot;%n second(s)&quot;.</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Shutdown in %1.</source>
        <extracomment>The warning&apos;s message: %1 is the time left, &quot;5 minutes&quot; or &quot;4 minutes 59 seconds&quot;.</extracomment>
        <translation>Wyłączenie za %1.</translation>
    </message>
    <message>
        <source>Reboot in %1.</source>
        <extracomment>%1 is the time left, as in &quot;Shutdown in %1.&quot;.</extracomment>
        <translation>Ponowne uruchomienie za %1.</translation>
    </message>
    <message>
        <source>Log off in %1.</source>
        <extracomment>%1 is the time left, as in &quot;Shutdown in %1.&quot;.</extracomment>
        <translation>Wylogowanie za %1.</translation>
    </message>
    <message>
        <source>Shutdown in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Wyłączenie za %1</translation>
    </message>
    <message>
        <source>Reboot in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Ponowne uruchomienie za %1</translation>
    </message>
    <message>
        <source>Log off in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Wylogowanie za %1</translation>
    </message>
    <message>
        <source>Shutdown at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Wyłączenie o %1.</translation>
    </message>
    <message>
        <source>Reboot at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Ponowne uruchomienie o %1.</translation>
    </message>
    <message>
        <source>Log off at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Wylogowanie o %1.</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>The warning&apos;s message, as a screen reader names it.</extracomment>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>Stop countdown</source>
        <translation>Zatrzymaj odliczanie</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Ukryj</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>The notification&apos;s button that stops the countdown.</extracomment>
        <translation>Zatrzymaj</translation>
    </message>
    <message>
        <source>Stop cancels the countdown.</source>
        <translation>„Zatrzymaj” anuluje odliczanie.</translation>
    </message>
    <message numerus="yes">
        <source>Postpone %n minute(s)</source>
        <extracomment>The warning&apos;s button that puts the action off: %n is the minutes it adds to the time left.</extracomment>
        <translation>
            <numerusform>Odłóż o %n minutę</numerusform>
            <numerusform>Odłóż o %n minuty</numerusform>
            <numerusform>Odłóż o %n minut</numerusform>
        </translation>
    </message>
    <message>
        <source>Postpone</source>
        <extracomment>The notification&apos;s button that puts the action off, as the warning&apos;s &quot;Postpone %n minute(s)&quot; does.</extracomment>
        <translation>Odłóż</translation>
    </message>
</context>
<context>
    <name>SavePrompt</name>
    <message>
        <source>Unable to open &quot;settings.dat&quot; for writing. 
 Make sure it is not used by another program or set to read-only and retry.</source>
        <translation>Nie można otworzyć pliku „settings.dat” do zapisu.
Upewnij się, że nie używa go inny program i nie jest tylko do odczytu, a następnie spróbuj ponownie.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Ponów</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignoruj</translation>
    </message>
</context>
<context>
    <name>TimeLeftText</name>
    <message>
        <source>Time left:%1, %2, %3 and %4</source>
        <extracomment>The status line during a countdown: %1 is the days (&quot;%n days&quot;), %2 the hours, %3 the minutes and %4 the seconds.</extracomment>
        <translation>Pozostały czas: %1, %2, %3 i %4</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n dzień</numerusform>
            <numerusform>%n dni</numerusform>
            <numerusform>%n dni</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n godzina</numerusform>
            <numerusform>%n godziny</numerusform>
            <numerusform>%n godzin</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minuta</numerusform>
            <numerusform>%n minuty</numerusform>
            <numerusform>%n minut</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n seconds</source>
        <translation>
            <numerusform>%n sekunda</numerusform>
            <numerusform>%n sekundy</numerusform>
            <numerusform>%n sekund</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>settingsDialog</name>
    <message>
        <source>Accept</source>
        <translation>Zaakceptuj</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Przywróć</translation>
    </message>
    <message>
        <source>ms</source>
        <extracomment>After the refresh interval: milliseconds.</extracomment>
        <translation>ms</translation>
    </message>
    <message>
        <source>Frequency (in milliseconds) of time left refreshes.
 Note: Greater value means less CPU usage, but less accuracy.</source>
        <translation>Częstotliwość (w milisekundach) odświeżania pozostałego czasu.
Uwaga: większa wartość oznacza mniejsze użycie procesora, ale mniejszą dokładność.</translation>
    </message>
    <message numerus="yes">
        <source> Minutes</source>
        <extracomment>After the alert time, a number of minutes from 1 to 10.</extracomment>
        <translation>
            <numerusform> minuta</numerusform>
            <numerusform> minuty</numerusform>
            <numerusform> minut</numerusform>
        </translation>
    </message>
    <message>
        <source>Time between the alert and the system shutdown in minutes.</source>
        <translation>Czas w minutach między ostrzeżeniem a wyłączeniem systemu.</translation>
    </message>
    <message>
        <source>Sleep time: </source>
        <extracomment>The time between two refreshes of the status line.</extracomment>
        <translation>Odstęp odświeżania: </translation>
    </message>
    <message>
        <source>Display alert: </source>
        <translation>Pokaż ostrzeżenie: </translation>
    </message>
    <message>
        <source>Alert time: </source>
        <extracomment>How long before the action the warning comes.</extracomment>
        <translation>Czas ostrzeżenia: </translation>
    </message>
</context>
</TS>
