<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>DesktopNotification</name>
    <message>
        <source>Show</source>
        <extracomment>What a click on the notification does, where the desktop names it: the window comes back.</extracomment>
        <translation>Afficher</translation>
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
        <translation>Minuteur réinitialisé.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>STOP!</source>
        <translation>ANNULER&#x202f;!</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Timer not started...</source>
        <translation>Minuteur non démarré...</translation>
    </message>
    <message>
        <source> h</source>
        <extracomment>After the number of hours in the delay.</extracomment>
        <translation> h</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Heures</translation>
    </message>
    <message>
        <source> m</source>
        <extracomment>After the number of minutes in the delay.</extracomment>
        <translation> min</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minutes</translation>
    </message>
    <message>
        <source> d</source>
        <extracomment>After the number of days in the delay.</extracomment>
        <translation> j</translation>
    </message>
    <message>
        <source>Maximum is 38 days.</source>
        <translation>38 jours au maximum.</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Jours</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
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
        <translation>Éteindre</translation>
    </message>
    <message>
        <source>Reboot</source>
        <extracomment>An entry of the action list.</extracomment>
        <translation>Redémarrer</translation>
    </message>
    <message>
        <source>Log off</source>
        <extracomment>An entry of the action list: the user&apos;s session ends.</extracomment>
        <translation>Se déconnecter</translation>
    </message>
</context>
<context>
    <name>ProspectSentences</name>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the shutdown will not happen.</source>
        <translation>Le système demandera un mot de passe d&apos;administrateur. Si personne ne le saisit, l&apos;extinction n&apos;aura pas lieu.</translation>
    </message>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the reboot will not happen.</source>
        <translation>Le système demandera un mot de passe d&apos;administrateur. Si personne ne le saisit, le redémarrage n&apos;aura pas lieu.</translation>
    </message>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the log off will not happen.</source>
        <translation>Le système demandera un mot de passe d&apos;administrateur. Si personne ne le saisit, la déconnexion n&apos;aura pas lieu.</translation>
    </message>
    <message>
        <source>Shutdown will not work from here: Velmora is not running inside a login session.</source>
        <translation>Impossible d&apos;éteindre depuis ici&#xa0;: Velmora ne s&apos;exécute pas dans une session de connexion.</translation>
    </message>
    <message>
        <source>Reboot will not work from here: Velmora is not running inside a login session.</source>
        <translation>Impossible de redémarrer depuis ici&#xa0;: Velmora ne s&apos;exécute pas dans une session de connexion.</translation>
    </message>
    <message>
        <source>Log off will not work from here: Velmora is not running inside a login session.</source>
        <translation>Impossible de se déconnecter depuis ici&#xa0;: Velmora ne s&apos;exécute pas dans une session de connexion.</translation>
    </message>
    <message>
        <source>“%1” (yours) is still running: “%2”. It will be stopped.</source>
        <extracomment>A program of the user&apos;s that the action will stop: %1 is its name, %2 what it says it is doing.</extracomment>
        <translation>«&#x202f;%1&#x202f;» (le vôtre) est toujours en cours&#xa0;: «&#x202f;%2&#x202f;». Il sera arrêté.</translation>
    </message>
    <message>
        <source>“%1” holds it off: “%2”.</source>
        <extracomment>A program that holds the action off: %1 is its name, %2 the reason it gives.</extracomment>
        <translation>«&#x202f;%1&#x202f;» retarde cette action&#xa0;: «&#x202f;%2&#x202f;».</translation>
    </message>
    <message>
        <source>The system does not allow this action.</source>
        <translation>Le système n&apos;autorise pas cette action.</translation>
    </message>
</context>
<context>
    <name>RefusalReport</name>
    <message>
        <source>Shutdown not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Extinction non effectuée</translation>
    </message>
    <message>
        <source>Reboot not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Redémarrage non effectué</translation>
    </message>
    <message>
        <source>Log off not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Déconnexion non effectuée</translation>
    </message>
    <message>
        <source>the system accepted the request, but the session did not end. The desktop may be waiting for an answer in a window of its own.</source>
        <translation>le système a accepté la demande, mais la session ne s&apos;est pas terminée. Le bureau attend peut-être une réponse dans une fenêtre qui lui est propre.</translation>
    </message>
    <message>
        <source>the system accepted the request, but the computer is still running. A program may be holding it off.</source>
        <translation>le système a accepté la demande, mais l&apos;ordinateur fonctionne toujours. Un programme retarde peut-être cette action.</translation>
    </message>
    <message>
        <source>the system wants an administrator&apos;s password, and no password prompt could be shown (no authentication agent runs for this session).</source>
        <translation>le système demande un mot de passe d&apos;administrateur, et aucune invite de mot de passe n&apos;a pu être affichée (aucun agent d&apos;authentification ne fonctionne pour cette session).</translation>
    </message>
    <message>
        <source>the system asked for an administrator&apos;s password and nobody entered it in time.</source>
        <translation>le système a demandé un mot de passe d&apos;administrateur et personne ne l&apos;a saisi à temps.</translation>
    </message>
    <message>
        <source>the password was refused or the prompt was cancelled.</source>
        <translation>le mot de passe a été refusé ou l&apos;invite a été annulée.</translation>
    </message>
    <message>
        <source>the system&apos;s policy does not allow this action for this user.</source>
        <translation>la politique du système n&apos;autorise pas cette action pour cet utilisateur.</translation>
    </message>
    <message>
        <source>Velmora is not running inside a login session that can be ended. Start it from the desktop&apos;s menu to log off.</source>
        <translation>Velmora ne s&apos;exécute pas dans une session de connexion qui puisse être fermée. Lancez-le depuis le menu du bureau pour vous déconnecter.</translation>
    </message>
    <message>
        <source>another shutdown or reboot is already under way.</source>
        <translation>une autre extinction ou un redémarrage est déjà en cours.</translation>
    </message>
    <message>
        <source>%1.</source>
        <extracomment>The report&apos;s first line, with nothing to explain: %1 is &quot;Shutdown not done&quot; or the like.</extracomment>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>The report&apos;s first line: %1 is &quot;Shutdown not done&quot; or the like, %2 what that means, as in &quot;the system&apos;s policy does not allow this action for this user.&quot;.</extracomment>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>The system answered: %1</source>
        <extracomment>%1 is the system&apos;s own answer, in its own words.</extracomment>
        <translation>Réponse du système&#xa0;: %1</translation>
    </message>
    <message>
        <source>Report</source>
        <extracomment>The report&apos;s message, as a screen reader names it.</extracomment>
        <translation>Rapport</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Tried again at %1 – same answer.</source>
        <extracomment>%1 is the clock time of the second request, &quot;21:05:42&quot;.</extracomment>
        <translation>Nouvel essai à %1 – même réponse.</translation>
    </message>
    <message>
        <source>Tried again at %1.</source>
        <extracomment>%1 is the clock time of the second request, &quot;21:05:42&quot;.</extracomment>
        <translation>Nouvel essai à %1.</translation>
    </message>
    <message>
        <source>the system did not answer. Its message bus may be stuck or very busy; try again in a moment.</source>
        <translation>le système n&apos;a pas répondu. Son bus de messages est peut-être bloqué ou très occupé&#x202f;; réessayez dans un instant.</translation>
    </message>
    <message>
        <source>The system accepted the request, but the session did not end. The desktop may be waiting for an answer in a window of its own.</source>
        <translation>Le système a accepté la demande, mais la session ne s&apos;est pas terminée. Le bureau attend peut-être une réponse dans une fenêtre qui lui est propre.</translation>
    </message>
    <message>
        <source>The system accepted the request, but the computer is still running. A program may be holding it off.</source>
        <translation>Le système a accepté la demande, mais l&apos;ordinateur fonctionne toujours. Un programme retarde peut-être cette action.</translation>
    </message>
    <message>
        <source>The system wants an administrator&apos;s password, and no password prompt could be shown (no authentication agent runs for this session).</source>
        <translation>Le système demande un mot de passe d&apos;administrateur, et aucune invite de mot de passe n&apos;a pu être affichée (aucun agent d&apos;authentification ne fonctionne pour cette session).</translation>
    </message>
    <message>
        <source>The system asked for an administrator&apos;s password and nobody entered it in time.</source>
        <translation>Le système a demandé un mot de passe d&apos;administrateur et personne ne l&apos;a saisi à temps.</translation>
    </message>
    <message>
        <source>The password was refused or the prompt was cancelled.</source>
        <translation>Le mot de passe a été refusé ou l&apos;invite a été annulée.</translation>
    </message>
    <message>
        <source>The system&apos;s policy does not allow this action for this user.</source>
        <translation>La politique du système n&apos;autorise pas cette action pour cet utilisateur.</translation>
    </message>
    <message>
        <source>Another shutdown or reboot is already under way.</source>
        <translation>Une autre extinction ou un redémarrage est déjà en cours.</translation>
    </message>
    <message>
        <source>The system did not answer. Its message bus may be stuck or very busy; try again in a moment.</source>
        <translation>Le système n&apos;a pas répondu. Son bus de messages est peut-être bloqué ou très occupé&#x202f;; réessayez dans un instant.</translation>
    </message>
</context>
<context>
    <name>RunWarning</name>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n seconde</numerusform>
            <numerusform>%n secondes</numerusform>
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
        <translation>Extinction dans %1.</translation>
    </message>
    <message>
        <source>Reboot in %1.</source>
        <extracomment>%1 is the time left, as in &quot;Shutdown in %1.&quot;.</extracomment>
        <translation>Redémarrage dans %1.</translation>
    </message>
    <message>
        <source>Log off in %1.</source>
        <extracomment>%1 is the time left, as in &quot;Shutdown in %1.&quot;.</extracomment>
        <translation>Déconnexion dans %1.</translation>
    </message>
    <message>
        <source>Shutdown in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Extinction dans %1</translation>
    </message>
    <message>
        <source>Reboot in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Redémarrage dans %1</translation>
    </message>
    <message>
        <source>Log off in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Déconnexion dans %1</translation>
    </message>
    <message>
        <source>Shutdown at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Extinction à %1.</translation>
    </message>
    <message>
        <source>Reboot at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Redémarrage à %1.</translation>
    </message>
    <message>
        <source>Log off at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Déconnexion à %1.</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>The warning&apos;s message, as a screen reader names it.</extracomment>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Stop countdown</source>
        <translation>Annuler le compte à rebours</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Masquer</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>The notification&apos;s button that stops the countdown.</extracomment>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Stop cancels the countdown.</source>
        <translation>«&#x202f;Annuler&#x202f;» met fin au compte à rebours.</translation>
    </message>
    <message numerus="yes">
        <source>Postpone %n minute(s)</source>
        <extracomment>The warning&apos;s button that puts the action off: %n is the minutes it adds to the time left.</extracomment>
        <translation>
            <numerusform>Reporter de %n minute</numerusform>
            <numerusform>Reporter de %n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>Postpone</source>
        <extracomment>The notification&apos;s button that puts the action off, as the warning&apos;s &quot;Postpone %n minute(s)&quot; does.</extracomment>
        <translation>Reporter</translation>
    </message>
</context>
<context>
    <name>SavePrompt</name>
    <message>
        <source>Unable to open &quot;settings.dat&quot; for writing. 
 Make sure it is not used by another program or set to read-only and retry.</source>
        <translation>Impossible d&apos;ouvrir «&#x202f;settings.dat&#x202f;» en écriture.
Vérifiez qu&apos;il n&apos;est pas utilisé par un autre programme ni en lecture seule, puis réessayez.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorer</translation>
    </message>
</context>
<context>
    <name>TimeLeftText</name>
    <message>
        <source>Time left:%1, %2, %3 and %4</source>
        <extracomment>The status line during a countdown: %1 is the days (&quot;%n days&quot;), %2 the hours, %3 the minutes and %4 the seconds.</extracomment>
        <translation>Temps restant&#xa0;: %1, %2, %3 et %4</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n heure</numerusform>
            <numerusform>%n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n seconds</source>
        <translation>
            <numerusform>%n seconde</numerusform>
            <numerusform>%n secondes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>settingsDialog</name>
    <message>
        <source>Accept</source>
        <translation>Accepter</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>ms</source>
        <extracomment>After the refresh interval: milliseconds.</extracomment>
        <translation>ms</translation>
    </message>
    <message>
        <source>Frequency (in milliseconds) of time left refreshes.
 Note: Greater value means less CPU usage, but less accuracy.</source>
        <translation>Fréquence (en millisecondes) d&apos;actualisation du temps restant.
Remarque&#xa0;: une valeur plus grande consomme moins de processeur, mais est moins précise.</translation>
    </message>
    <message numerus="yes">
        <source> Minutes</source>
        <extracomment>After the alert time, a number of minutes from 1 to 10.</extracomment>
        <translation>
            <numerusform> minute</numerusform>
            <numerusform> minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>Time between the alert and the system shutdown in minutes.</source>
        <translation>Temps en minutes entre l&apos;alerte et l&apos;extinction du système.</translation>
    </message>
    <message>
        <source>Sleep time: </source>
        <extracomment>The time between two refreshes of the status line.</extracomment>
        <translation>Intervalle d&apos;actualisation&#xa0;: </translation>
    </message>
    <message>
        <source>Display alert: </source>
        <translation>Afficher l&apos;alerte&#xa0;: </translation>
    </message>
    <message>
        <source>Alert time: </source>
        <extracomment>How long before the action the warning comes.</extracomment>
        <translation>Délai de l&apos;alerte&#xa0;: </translation>
    </message>
</context>
</TS>
