<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
<context>
    <name>DesktopNotification</name>
    <message>
        <source>Show</source>
        <extracomment>What a click on the notification does, where the desktop names it: the window comes back.</extracomment>
        <translation>Mostra</translation>
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
        <translation>Timer azzerato.</translation>
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
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Timer not started...</source>
        <translation>Timer non avviato...</translation>
    </message>
    <message>
        <source> h</source>
        <extracomment>After the number of hours in the delay.</extracomment>
        <translation> h</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Ore</translation>
    </message>
    <message>
        <source> m</source>
        <extracomment>After the number of minutes in the delay.</extracomment>
        <translation> min</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuti</translation>
    </message>
    <message>
        <source> d</source>
        <extracomment>After the number of days in the delay.</extracomment>
        <translation> g</translation>
    </message>
    <message>
        <source>Maximum is 38 days.</source>
        <translation>Il massimo è 38 giorni.</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Giorni</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Azione</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Stato</translation>
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
        <translation>Spegni</translation>
    </message>
    <message>
        <source>Reboot</source>
        <extracomment>An entry of the action list.</extracomment>
        <translation>Riavvia</translation>
    </message>
    <message>
        <source>Log off</source>
        <extracomment>An entry of the action list: the user&apos;s session ends.</extracomment>
        <translation>Termina sessione</translation>
    </message>
</context>
<context>
    <name>ProspectSentences</name>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the shutdown will not happen.</source>
        <translation>Il sistema chiederà una password di amministratore. Se nessuno la inserisce, lo spegnimento non avverrà.</translation>
    </message>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the reboot will not happen.</source>
        <translation>Il sistema chiederà una password di amministratore. Se nessuno la inserisce, il riavvio non avverrà.</translation>
    </message>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the log off will not happen.</source>
        <translation>Il sistema chiederà una password di amministratore. Se nessuno la inserisce, la chiusura della sessione non avverrà.</translation>
    </message>
    <message>
        <source>Shutdown will not work from here: Velmora is not running inside a login session.</source>
        <translation>Impossibile spegnere da qui: Velmora non è in esecuzione in una sessione di accesso.</translation>
    </message>
    <message>
        <source>Reboot will not work from here: Velmora is not running inside a login session.</source>
        <translation>Impossibile riavviare da qui: Velmora non è in esecuzione in una sessione di accesso.</translation>
    </message>
    <message>
        <source>Log off will not work from here: Velmora is not running inside a login session.</source>
        <translation>Impossibile terminare la sessione da qui: Velmora non è in esecuzione in una sessione di accesso.</translation>
    </message>
    <message>
        <source>“%1” (yours) is still running: “%2”. It will be stopped.</source>
        <extracomment>A program of the user&apos;s that the action will stop: %1 is its name, %2 what it says it is doing.</extracomment>
        <translation>«%1» (tuo) è ancora in esecuzione: «%2». Verrà chiuso.</translation>
    </message>
    <message>
        <source>“%1” holds it off: “%2”.</source>
        <extracomment>A program that holds the action off: %1 is its name, %2 the reason it gives.</extracomment>
        <translation>«%1» sta impedendo questa azione: «%2».</translation>
    </message>
    <message>
        <source>The system does not allow this action.</source>
        <translation>Il sistema non consente questa azione.</translation>
    </message>
</context>
<context>
    <name>RefusalReport</name>
    <message>
        <source>Shutdown not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Spegnimento non eseguito</translation>
    </message>
    <message>
        <source>Reboot not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Riavvio non eseguito</translation>
    </message>
    <message>
        <source>Log off not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Chiusura della sessione non eseguita</translation>
    </message>
    <message>
        <source>the system accepted the request, but the session did not end. The desktop may be waiting for an answer in a window of its own.</source>
        <translation>il sistema ha accettato la richiesta, ma la sessione non è terminata. Il desktop potrebbe attendere una risposta in una propria finestra.</translation>
    </message>
    <message>
        <source>the system accepted the request, but the computer is still running. A program may be holding it off.</source>
        <translation>il sistema ha accettato la richiesta, ma il computer è ancora acceso. Un programma potrebbe impedire questa azione.</translation>
    </message>
    <message>
        <source>the system wants an administrator&apos;s password, and no password prompt could be shown (no authentication agent runs for this session).</source>
        <translation>il sistema richiede una password di amministratore e non è stato possibile mostrare alcuna richiesta di password (nessun agente di autenticazione è attivo per questa sessione).</translation>
    </message>
    <message>
        <source>the system asked for an administrator&apos;s password and nobody entered it in time.</source>
        <translation>il sistema ha chiesto una password di amministratore e nessuno l&apos;ha inserita in tempo.</translation>
    </message>
    <message>
        <source>the password was refused or the prompt was cancelled.</source>
        <translation>la password è stata rifiutata o la richiesta è stata annullata.</translation>
    </message>
    <message>
        <source>the system&apos;s policy does not allow this action for this user.</source>
        <translation>i criteri del sistema non consentono questa azione a questo utente.</translation>
    </message>
    <message>
        <source>Velmora is not running inside a login session that can be ended. Start it from the desktop&apos;s menu to log off.</source>
        <translation>Velmora non è in esecuzione in una sessione di accesso che possa essere terminata. Avvialo dal menu del desktop per terminare la sessione.</translation>
    </message>
    <message>
        <source>another shutdown or reboot is already under way.</source>
        <translation>è già in corso un altro spegnimento o riavvio.</translation>
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
        <translation>Risposta del sistema: %1</translation>
    </message>
    <message>
        <source>Report</source>
        <extracomment>The report&apos;s message, as a screen reader names it.</extracomment>
        <translation>Rapporto</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Riprova</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Tried again at %1 – same answer.</source>
        <extracomment>%1 is the clock time of the second request, &quot;21:05:42&quot;.</extracomment>
        <translation>Nuovo tentativo alle %1 – stessa risposta.</translation>
    </message>
    <message>
        <source>Tried again at %1.</source>
        <extracomment>%1 is the clock time of the second request, &quot;21:05:42&quot;.</extracomment>
        <translation>Nuovo tentativo alle %1.</translation>
    </message>
    <message>
        <source>the system did not answer. Its message bus may be stuck or very busy; try again in a moment.</source>
        <translation>il sistema non ha risposto. Il suo bus dei messaggi potrebbe essere bloccato o molto occupato; riprova tra un momento.</translation>
    </message>
    <message>
        <source>The system accepted the request, but the session did not end. The desktop may be waiting for an answer in a window of its own.</source>
        <translation>Il sistema ha accettato la richiesta, ma la sessione non è terminata. Il desktop potrebbe attendere una risposta in una propria finestra.</translation>
    </message>
    <message>
        <source>The system accepted the request, but the computer is still running. A program may be holding it off.</source>
        <translation>Il sistema ha accettato la richiesta, ma il computer è ancora acceso. Un programma potrebbe impedire questa azione.</translation>
    </message>
    <message>
        <source>The system wants an administrator&apos;s password, and no password prompt could be shown (no authentication agent runs for this session).</source>
        <translation>Il sistema richiede una password di amministratore e non è stato possibile mostrare alcuna richiesta di password (nessun agente di autenticazione è attivo per questa sessione).</translation>
    </message>
    <message>
        <source>The system asked for an administrator&apos;s password and nobody entered it in time.</source>
        <translation>Il sistema ha chiesto una password di amministratore e nessuno l&apos;ha inserita in tempo.</translation>
    </message>
    <message>
        <source>The password was refused or the prompt was cancelled.</source>
        <translation>La password è stata rifiutata o la richiesta è stata annullata.</translation>
    </message>
    <message>
        <source>The system&apos;s policy does not allow this action for this user.</source>
        <translation>I criteri del sistema non consentono questa azione a questo utente.</translation>
    </message>
    <message>
        <source>Another shutdown or reboot is already under way.</source>
        <translation>È già in corso un altro spegnimento o riavvio.</translation>
    </message>
    <message>
        <source>The system did not answer. Its message bus may be stuck or very busy; try again in a moment.</source>
        <translation>Il sistema non ha risposto. Il suo bus dei messaggi potrebbe essere bloccato o molto occupato; riprova tra un momento.</translation>
    </message>
</context>
<context>
    <name>RunWarning</name>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minuti</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n secondo</numerusform>
            <numerusform>%n secondi</numerusform>
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
        <translation>Spegnimento tra %1.</translation>
    </message>
    <message>
        <source>Reboot in %1.</source>
        <extracomment>%1 is the time left, as in &quot;Shutdown in %1.&quot;.</extracomment>
        <translation>Riavvio tra %1.</translation>
    </message>
    <message>
        <source>Log off in %1.</source>
        <extracomment>%1 is the time left, as in &quot;Shutdown in %1.&quot;.</extracomment>
        <translation>Chiusura della sessione tra %1.</translation>
    </message>
    <message>
        <source>Shutdown in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Spegnimento tra %1</translation>
    </message>
    <message>
        <source>Reboot in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Riavvio tra %1</translation>
    </message>
    <message>
        <source>Log off in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Chiusura della sessione tra %1</translation>
    </message>
    <message>
        <source>Shutdown at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Spegnimento alle %1.</translation>
    </message>
    <message>
        <source>Reboot at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Riavvio alle %1.</translation>
    </message>
    <message>
        <source>Log off at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Chiusura della sessione alle %1.</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>The warning&apos;s message, as a screen reader names it.</extracomment>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Stop countdown</source>
        <translation>Ferma il conto alla rovescia</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Nascondi</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>The notification&apos;s button that stops the countdown.</extracomment>
        <translation>Ferma</translation>
    </message>
    <message>
        <source>Stop cancels the countdown.</source>
        <translation>«Ferma» annulla il conto alla rovescia.</translation>
    </message>
    <message numerus="yes">
        <source>Postpone %n minute(s)</source>
        <extracomment>The warning&apos;s button that puts the action off: %n is the minutes it adds to the time left.</extracomment>
        <translation>
            <numerusform>Posticipa di %n minuto</numerusform>
            <numerusform>Posticipa di %n minuti</numerusform>
        </translation>
    </message>
    <message>
        <source>Postpone</source>
        <extracomment>The notification&apos;s button that puts the action off, as the warning&apos;s &quot;Postpone %n minute(s)&quot; does.</extracomment>
        <translation>Posticipa</translation>
    </message>
</context>
<context>
    <name>SavePrompt</name>
    <message>
        <source>Unable to open &quot;settings.dat&quot; for writing. 
 Make sure it is not used by another program or set to read-only and retry.</source>
        <translation>Impossibile aprire «settings.dat» in scrittura.
Assicurati che non sia usato da un altro programma né impostato in sola lettura e riprova.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Riprova</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignora</translation>
    </message>
</context>
<context>
    <name>TimeLeftText</name>
    <message>
        <source>Time left:%1, %2, %3 and %4</source>
        <extracomment>The status line during a countdown: %1 is the days (&quot;%n days&quot;), %2 the hours, %3 the minutes and %4 the seconds.</extracomment>
        <translation>Tempo rimanente: %1, %2, %3 e %4</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n giorno</numerusform>
            <numerusform>%n giorni</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n ora</numerusform>
            <numerusform>%n ore</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minuti</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n seconds</source>
        <translation>
            <numerusform>%n secondo</numerusform>
            <numerusform>%n secondi</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>settingsDialog</name>
    <message>
        <source>Accept</source>
        <translation>Accetta</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Ripristina</translation>
    </message>
    <message>
        <source>ms</source>
        <extracomment>After the refresh interval: milliseconds.</extracomment>
        <translation>ms</translation>
    </message>
    <message>
        <source>Frequency (in milliseconds) of time left refreshes.
 Note: Greater value means less CPU usage, but less accuracy.</source>
        <translation>Frequenza (in millisecondi) di aggiornamento del tempo rimanente.
Nota: un valore maggiore usa meno CPU, ma è meno preciso.</translation>
    </message>
    <message numerus="yes">
        <source> Minutes</source>
        <extracomment>After the alert time, a number of minutes from 1 to 10.</extracomment>
        <translation>
            <numerusform> minuto</numerusform>
            <numerusform> minuti</numerusform>
        </translation>
    </message>
    <message>
        <source>Time between the alert and the system shutdown in minutes.</source>
        <translation>Tempo in minuti tra l&apos;avviso e lo spegnimento del sistema.</translation>
    </message>
    <message>
        <source>Sleep time: </source>
        <extracomment>The time between two refreshes of the status line.</extracomment>
        <translation>Intervallo di aggiornamento: </translation>
    </message>
    <message>
        <source>Display alert: </source>
        <translation>Mostra avviso: </translation>
    </message>
    <message>
        <source>Alert time: </source>
        <extracomment>How long before the action the warning comes.</extracomment>
        <translation>Anticipo dell&apos;avviso: </translation>
    </message>
</context>
</TS>
