<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>DesktopNotification</name>
    <message>
        <source>Show</source>
        <extracomment>What a click on the notification does, where the desktop names it: the window comes back.</extracomment>
        <translation>Mostrar</translation>
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
        <translation>Temporizador restablecido.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>STOP!</source>
        <translation>¡DETENER!</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Timer not started...</source>
        <translation>Temporizador no iniciado...</translation>
    </message>
    <message>
        <source> h</source>
        <extracomment>After the number of hours in the delay.</extracomment>
        <translation> h</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Horas</translation>
    </message>
    <message>
        <source> m</source>
        <extracomment>After the number of minutes in the delay.</extracomment>
        <translation> min</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minutos</translation>
    </message>
    <message>
        <source> d</source>
        <extracomment>After the number of days in the delay.</extracomment>
        <translation> d</translation>
    </message>
    <message>
        <source>Maximum is 38 days.</source>
        <translation>El máximo es 38 días.</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Días</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Acción</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
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
        <translation>Apagar</translation>
    </message>
    <message>
        <source>Reboot</source>
        <extracomment>An entry of the action list.</extracomment>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Log off</source>
        <extracomment>An entry of the action list: the user&apos;s session ends.</extracomment>
        <translation>Cerrar sesión</translation>
    </message>
</context>
<context>
    <name>ProspectSentences</name>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the shutdown will not happen.</source>
        <translation>El sistema pedirá una contraseña de administrador. Si nadie la introduce, el apagado no se realizará.</translation>
    </message>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the reboot will not happen.</source>
        <translation>El sistema pedirá una contraseña de administrador. Si nadie la introduce, el reinicio no se realizará.</translation>
    </message>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the log off will not happen.</source>
        <translation>El sistema pedirá una contraseña de administrador. Si nadie la introduce, el cierre de sesión no se realizará.</translation>
    </message>
    <message>
        <source>Shutdown will not work from here: Velmora is not running inside a login session.</source>
        <translation>No se puede apagar desde aquí: Velmora no se está ejecutando dentro de una sesión de usuario.</translation>
    </message>
    <message>
        <source>Reboot will not work from here: Velmora is not running inside a login session.</source>
        <translation>No se puede reiniciar desde aquí: Velmora no se está ejecutando dentro de una sesión de usuario.</translation>
    </message>
    <message>
        <source>Log off will not work from here: Velmora is not running inside a login session.</source>
        <translation>No se puede cerrar la sesión desde aquí: Velmora no se está ejecutando dentro de una sesión de usuario.</translation>
    </message>
    <message>
        <source>“%1” (yours) is still running: “%2”. It will be stopped.</source>
        <extracomment>A program of the user&apos;s that the action will stop: %1 is its name, %2 what it says it is doing.</extracomment>
        <translation>«%1» (suyo) sigue en ejecución: «%2». Se cerrará.</translation>
    </message>
    <message>
        <source>“%1” holds it off: “%2”.</source>
        <extracomment>A program that holds the action off: %1 is its name, %2 the reason it gives.</extracomment>
        <translation>«%1» está impidiendo esta acción: «%2».</translation>
    </message>
    <message>
        <source>The system does not allow this action.</source>
        <translation>El sistema no permite esta acción.</translation>
    </message>
</context>
<context>
    <name>RefusalReport</name>
    <message>
        <source>Shutdown not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Apagado no realizado</translation>
    </message>
    <message>
        <source>Reboot not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Reinicio no realizado</translation>
    </message>
    <message>
        <source>Log off not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>Cierre de sesión no realizado</translation>
    </message>
    <message>
        <source>the system accepted the request, but the session did not end. The desktop may be waiting for an answer in a window of its own.</source>
        <translation>el sistema aceptó la solicitud, pero la sesión no terminó. Puede que el escritorio esté esperando una respuesta en una ventana propia.</translation>
    </message>
    <message>
        <source>the system accepted the request, but the computer is still running. A program may be holding it off.</source>
        <translation>el sistema aceptó la solicitud, pero el equipo sigue encendido. Puede que un programa esté impidiendo esta acción.</translation>
    </message>
    <message>
        <source>the system wants an administrator&apos;s password, and no password prompt could be shown (no authentication agent runs for this session).</source>
        <translation>el sistema pide una contraseña de administrador y no se pudo mostrar ninguna solicitud de contraseña (no hay ningún agente de autenticación en esta sesión).</translation>
    </message>
    <message>
        <source>the system asked for an administrator&apos;s password and nobody entered it in time.</source>
        <translation>el sistema pidió una contraseña de administrador y nadie la introdujo a tiempo.</translation>
    </message>
    <message>
        <source>the password was refused or the prompt was cancelled.</source>
        <translation>la contraseña fue rechazada o se canceló la solicitud.</translation>
    </message>
    <message>
        <source>the system&apos;s policy does not allow this action for this user.</source>
        <translation>la política del sistema no permite esta acción a este usuario.</translation>
    </message>
    <message>
        <source>Velmora is not running inside a login session that can be ended. Start it from the desktop&apos;s menu to log off.</source>
        <translation>Velmora no se está ejecutando dentro de una sesión que se pueda cerrar. Inícielo desde el menú del escritorio para cerrar la sesión.</translation>
    </message>
    <message>
        <source>another shutdown or reboot is already under way.</source>
        <translation>ya hay otro apagado o reinicio en curso.</translation>
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
        <translation>Respuesta del sistema: %1</translation>
    </message>
    <message>
        <source>Report</source>
        <extracomment>The report&apos;s message, as a screen reader names it.</extracomment>
        <translation>Informe</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Tried again at %1 – same answer.</source>
        <extracomment>%1 is the clock time of the second request, &quot;21:05:42&quot;.</extracomment>
        <translation>Nuevo intento a las %1 – la misma respuesta.</translation>
    </message>
    <message>
        <source>Tried again at %1.</source>
        <extracomment>%1 is the clock time of the second request, &quot;21:05:42&quot;.</extracomment>
        <translation>Nuevo intento a las %1.</translation>
    </message>
    <message>
        <source>the system did not answer. Its message bus may be stuck or very busy; try again in a moment.</source>
        <translation>el sistema no ha respondido. Su bus de mensajes puede estar bloqueado o muy ocupado; vuelva a intentarlo en un momento.</translation>
    </message>
    <message>
        <source>The system accepted the request, but the session did not end. The desktop may be waiting for an answer in a window of its own.</source>
        <translation>El sistema aceptó la solicitud, pero la sesión no terminó. Puede que el escritorio esté esperando una respuesta en una ventana propia.</translation>
    </message>
    <message>
        <source>The system accepted the request, but the computer is still running. A program may be holding it off.</source>
        <translation>El sistema aceptó la solicitud, pero el equipo sigue encendido. Puede que un programa esté impidiendo esta acción.</translation>
    </message>
    <message>
        <source>The system wants an administrator&apos;s password, and no password prompt could be shown (no authentication agent runs for this session).</source>
        <translation>El sistema pide una contraseña de administrador y no se pudo mostrar ninguna solicitud de contraseña (no hay ningún agente de autenticación en esta sesión).</translation>
    </message>
    <message>
        <source>The system asked for an administrator&apos;s password and nobody entered it in time.</source>
        <translation>El sistema pidió una contraseña de administrador y nadie la introdujo a tiempo.</translation>
    </message>
    <message>
        <source>The password was refused or the prompt was cancelled.</source>
        <translation>La contraseña fue rechazada o se canceló la solicitud.</translation>
    </message>
    <message>
        <source>The system&apos;s policy does not allow this action for this user.</source>
        <translation>La política del sistema no permite esta acción a este usuario.</translation>
    </message>
    <message>
        <source>Another shutdown or reboot is already under way.</source>
        <translation>Ya hay otro apagado o reinicio en curso.</translation>
    </message>
    <message>
        <source>The system did not answer. Its message bus may be stuck or very busy; try again in a moment.</source>
        <translation>El sistema no ha respondido. Su bus de mensajes puede estar bloqueado o muy ocupado; vuelva a intentarlo en un momento.</translation>
    </message>
</context>
<context>
    <name>RunWarning</name>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minutos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n segundo</numerusform>
            <numerusform>%n segundos</numerusform>
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
        <translation>Apagado en %1.</translation>
    </message>
    <message>
        <source>Reboot in %1.</source>
        <extracomment>%1 is the time left, as in &quot;Shutdown in %1.&quot;.</extracomment>
        <translation>Reinicio en %1.</translation>
    </message>
    <message>
        <source>Log off in %1.</source>
        <extracomment>%1 is the time left, as in &quot;Shutdown in %1.&quot;.</extracomment>
        <translation>Cierre de sesión en %1.</translation>
    </message>
    <message>
        <source>Shutdown in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Apagado en %1</translation>
    </message>
    <message>
        <source>Reboot in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Reinicio en %1</translation>
    </message>
    <message>
        <source>Log off in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>Cierre de sesión en %1</translation>
    </message>
    <message>
        <source>Shutdown at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Apagado a las %1.</translation>
    </message>
    <message>
        <source>Reboot at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Reinicio a las %1.</translation>
    </message>
    <message>
        <source>Log off at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>Cierre de sesión a las %1.</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>The warning&apos;s message, as a screen reader names it.</extracomment>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Stop countdown</source>
        <translation>Detener la cuenta atrás</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Ocultar</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>The notification&apos;s button that stops the countdown.</extracomment>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Stop cancels the countdown.</source>
        <translation>«Detener» cancela la cuenta atrás.</translation>
    </message>
    <message numerus="yes">
        <source>Postpone %n minute(s)</source>
        <extracomment>The warning&apos;s button that puts the action off: %n is the minutes it adds to the time left.</extracomment>
        <translation>
            <numerusform>Posponer %n minuto</numerusform>
            <numerusform>Posponer %n minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>Postpone</source>
        <extracomment>The notification&apos;s button that puts the action off, as the warning&apos;s &quot;Postpone %n minute(s)&quot; does.</extracomment>
        <translation>Posponer</translation>
    </message>
</context>
<context>
    <name>SavePrompt</name>
    <message>
        <source>Unable to open &quot;settings.dat&quot; for writing. 
 Make sure it is not used by another program or set to read-only and retry.</source>
        <translation>No se puede abrir «settings.dat» para escribir.
Compruebe que no lo esté usando otro programa ni sea de solo lectura y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorar</translation>
    </message>
</context>
<context>
    <name>TimeLeftText</name>
    <message>
        <source>Time left:%1, %2, %3 and %4</source>
        <extracomment>The status line during a countdown: %1 is the days (&quot;%n days&quot;), %2 the hours, %3 the minutes and %4 the seconds.</extracomment>
        <translation>Tiempo restante: %1, %2, %3 y %4</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n día</numerusform>
            <numerusform>%n días</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n hora</numerusform>
            <numerusform>%n horas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minutos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n seconds</source>
        <translation>
            <numerusform>%n segundo</numerusform>
            <numerusform>%n segundos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>settingsDialog</name>
    <message>
        <source>Accept</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>ms</source>
        <extracomment>After the refresh interval: milliseconds.</extracomment>
        <translation>ms</translation>
    </message>
    <message>
        <source>Frequency (in milliseconds) of time left refreshes.
 Note: Greater value means less CPU usage, but less accuracy.</source>
        <translation>Frecuencia (en milisegundos) con que se actualiza el tiempo restante.
Nota: un valor mayor consume menos CPU, pero es menos preciso.</translation>
    </message>
    <message numerus="yes">
        <source> Minutes</source>
        <extracomment>After the alert time, a number of minutes from 1 to 10.</extracomment>
        <translation>
            <numerusform> minuto</numerusform>
            <numerusform> minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>Time between the alert and the system shutdown in minutes.</source>
        <translation>Tiempo en minutos entre el aviso y el apagado del sistema.</translation>
    </message>
    <message>
        <source>Sleep time: </source>
        <extracomment>The time between two refreshes of the status line.</extracomment>
        <translation>Intervalo de actualización: </translation>
    </message>
    <message>
        <source>Display alert: </source>
        <translation>Mostrar aviso: </translation>
    </message>
    <message>
        <source>Alert time: </source>
        <extracomment>How long before the action the warning comes.</extracomment>
        <translation>Antelación del aviso: </translation>
    </message>
</context>
</TS>
