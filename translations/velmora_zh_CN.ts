<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>DesktopNotification</name>
    <message>
        <source>Show</source>
        <extracomment>What a click on the notification does, where the desktop names it: the window comes back.</extracomment>
        <translation>显示</translation>
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
        <translation>计时器已重置。</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>STOP!</source>
        <translation>停止！</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Timer not started...</source>
        <translation>计时器未启动...</translation>
    </message>
    <message>
        <source> h</source>
        <extracomment>After the number of hours in the delay.</extracomment>
        <translation> 小时</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>小时</translation>
    </message>
    <message>
        <source> m</source>
        <extracomment>After the number of minutes in the delay.</extracomment>
        <translation> 分钟</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source> d</source>
        <extracomment>After the number of days in the delay.</extracomment>
        <translation> 天</translation>
    </message>
    <message>
        <source>Maximum is 38 days.</source>
        <translation>最多 38 天。</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>天</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
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
        <translation>关机</translation>
    </message>
    <message>
        <source>Reboot</source>
        <extracomment>An entry of the action list.</extracomment>
        <translation>重启</translation>
    </message>
    <message>
        <source>Log off</source>
        <extracomment>An entry of the action list: the user&apos;s session ends.</extracomment>
        <translation>注销</translation>
    </message>
</context>
<context>
    <name>ProspectSentences</name>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the shutdown will not happen.</source>
        <translation>系统将要求输入管理员密码。如果无人输入，将不会关机。</translation>
    </message>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the reboot will not happen.</source>
        <translation>系统将要求输入管理员密码。如果无人输入，将不会重启。</translation>
    </message>
    <message>
        <source>The system will want an administrator&apos;s password. If nobody enters it, the log off will not happen.</source>
        <translation>系统将要求输入管理员密码。如果无人输入，将不会注销。</translation>
    </message>
    <message>
        <source>Shutdown will not work from here: Velmora is not running inside a login session.</source>
        <translation>无法从此处关机：Velmora 未在登录会话中运行。</translation>
    </message>
    <message>
        <source>Reboot will not work from here: Velmora is not running inside a login session.</source>
        <translation>无法从此处重启：Velmora 未在登录会话中运行。</translation>
    </message>
    <message>
        <source>Log off will not work from here: Velmora is not running inside a login session.</source>
        <translation>无法从此处注销：Velmora 未在登录会话中运行。</translation>
    </message>
    <message>
        <source>“%1” (yours) is still running: “%2”. It will be stopped.</source>
        <extracomment>A program of the user&apos;s that the action will stop: %1 is its name, %2 what it says it is doing.</extracomment>
        <translation>“%1”（您的程序）仍在运行：“%2”。它将被关闭。</translation>
    </message>
    <message>
        <source>“%1” holds it off: “%2”.</source>
        <extracomment>A program that holds the action off: %1 is its name, %2 the reason it gives.</extracomment>
        <translation>“%1”正在阻止此操作：“%2”。</translation>
    </message>
    <message>
        <source>The system does not allow this action.</source>
        <translation>系统不允许此操作。</translation>
    </message>
</context>
<context>
    <name>RefusalReport</name>
    <message>
        <source>Shutdown not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>未能关机</translation>
    </message>
    <message>
        <source>Reboot not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>未能重启</translation>
    </message>
    <message>
        <source>Log off not done</source>
        <extracomment>The report&apos;s title and the notification&apos;s summary.</extracomment>
        <translation>未能注销</translation>
    </message>
    <message>
        <source>the system accepted the request, but the session did not end. The desktop may be waiting for an answer in a window of its own.</source>
        <translation>系统接受了请求，但会话没有结束。桌面可能正在自己的窗口中等待响应。</translation>
    </message>
    <message>
        <source>the system accepted the request, but the computer is still running. A program may be holding it off.</source>
        <translation>系统接受了请求，但计算机仍在运行。可能有程序在阻止此操作。</translation>
    </message>
    <message>
        <source>the system wants an administrator&apos;s password, and no password prompt could be shown (no authentication agent runs for this session).</source>
        <translation>系统需要管理员密码，但无法显示密码提示（此会话没有运行身份验证代理）。</translation>
    </message>
    <message>
        <source>the system asked for an administrator&apos;s password and nobody entered it in time.</source>
        <translation>系统要求输入管理员密码，但无人及时输入。</translation>
    </message>
    <message>
        <source>the password was refused or the prompt was cancelled.</source>
        <translation>密码被拒绝，或提示被取消。</translation>
    </message>
    <message>
        <source>the system&apos;s policy does not allow this action for this user.</source>
        <translation>系统策略不允许此用户执行此操作。</translation>
    </message>
    <message>
        <source>Velmora is not running inside a login session that can be ended. Start it from the desktop&apos;s menu to log off.</source>
        <translation>Velmora 未在可结束的登录会话中运行。请从桌面菜单启动它以注销。</translation>
    </message>
    <message>
        <source>another shutdown or reboot is already under way.</source>
        <translation>另一个关机或重启操作已在进行中。</translation>
    </message>
    <message>
        <source>%1.</source>
        <extracomment>The report&apos;s first line, with nothing to explain: %1 is &quot;Shutdown not done&quot; or the like.</extracomment>
        <translation>%1。</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>The report&apos;s first line: %1 is &quot;Shutdown not done&quot; or the like, %2 what that means, as in &quot;the system&apos;s policy does not allow this action for this user.&quot;.</extracomment>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>The system answered: %1</source>
        <extracomment>%1 is the system&apos;s own answer, in its own words.</extracomment>
        <translation>系统的答复：%1</translation>
    </message>
    <message>
        <source>Report</source>
        <extracomment>The report&apos;s message, as a screen reader names it.</extracomment>
        <translation>报告</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Tried again at %1 – same answer.</source>
        <extracomment>%1 is the clock time of the second request, &quot;21:05:42&quot;.</extracomment>
        <translation>已于 %1 重试，结果相同。</translation>
    </message>
    <message>
        <source>Tried again at %1.</source>
        <extracomment>%1 is the clock time of the second request, &quot;21:05:42&quot;.</extracomment>
        <translation>已于 %1 重试。</translation>
    </message>
    <message>
        <source>the system did not answer. Its message bus may be stuck or very busy; try again in a moment.</source>
        <translation>系统没有响应。其消息总线可能已卡住或非常繁忙；请稍后重试。</translation>
    </message>
    <message>
        <source>The system accepted the request, but the session did not end. The desktop may be waiting for an answer in a window of its own.</source>
        <translation>系统接受了请求，但会话没有结束。桌面可能正在自己的窗口中等待响应。</translation>
    </message>
    <message>
        <source>The system accepted the request, but the computer is still running. A program may be holding it off.</source>
        <translation>系统接受了请求，但计算机仍在运行。可能有程序在阻止此操作。</translation>
    </message>
    <message>
        <source>The system wants an administrator&apos;s password, and no password prompt could be shown (no authentication agent runs for this session).</source>
        <translation>系统需要管理员密码，但无法显示密码提示（此会话没有运行身份验证代理）。</translation>
    </message>
    <message>
        <source>The system asked for an administrator&apos;s password and nobody entered it in time.</source>
        <translation>系统要求输入管理员密码，但无人及时输入。</translation>
    </message>
    <message>
        <source>The password was refused or the prompt was cancelled.</source>
        <translation>密码被拒绝，或提示被取消。</translation>
    </message>
    <message>
        <source>The system&apos;s policy does not allow this action for this user.</source>
        <translation>系统策略不允许此用户执行此操作。</translation>
    </message>
    <message>
        <source>Another shutdown or reboot is already under way.</source>
        <translation>另一个关机或重启操作已在进行中。</translation>
    </message>
    <message>
        <source>The system did not answer. Its message bus may be stuck or very busy; try again in a moment.</source>
        <translation>系统没有响应。其消息总线可能已卡住或非常繁忙；请稍后重试。</translation>
    </message>
</context>
<context>
    <name>RunWarning</name>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n 分钟</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n 秒</numerusform>
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
        <translation>将在 %1后关机。</translation>
    </message>
    <message>
        <source>Reboot in %1.</source>
        <extracomment>%1 is the time left, as in &quot;Shutdown in %1.&quot;.</extracomment>
        <translation>将在 %1后重启。</translation>
    </message>
    <message>
        <source>Log off in %1.</source>
        <extracomment>%1 is the time left, as in &quot;Shutdown in %1.&quot;.</extracomment>
        <translation>将在 %1后注销。</translation>
    </message>
    <message>
        <source>Shutdown in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>将在 %1后关机</translation>
    </message>
    <message>
        <source>Reboot in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>将在 %1后重启</translation>
    </message>
    <message>
        <source>Log off in %1</source>
        <extracomment>The warning window&apos;s title: %1 is the time left, &quot;%n minute(s)&quot;.</extracomment>
        <translation>将在 %1后注销</translation>
    </message>
    <message>
        <source>Shutdown at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>将于 %1 关机。</translation>
    </message>
    <message>
        <source>Reboot at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>将于 %1 重启。</translation>
    </message>
    <message>
        <source>Log off at %1.</source>
        <extracomment>The notification&apos;s summary: %1 is the clock time of the action, &quot;21:05&quot;.</extracomment>
        <translation>将于 %1 注销。</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>The warning&apos;s message, as a screen reader names it.</extracomment>
        <translation>警告</translation>
    </message>
    <message>
        <source>Stop countdown</source>
        <translation>停止倒计时</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>隐藏</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>The notification&apos;s button that stops the countdown.</extracomment>
        <translation>停止</translation>
    </message>
    <message>
        <source>Stop cancels the countdown.</source>
        <translation>“停止”将取消倒计时。</translation>
    </message>
    <message numerus="yes">
        <source>Postpone %n minute(s)</source>
        <extracomment>The warning&apos;s button that puts the action off: %n is the minutes it adds to the time left.</extracomment>
        <translation>
            <numerusform>推迟 %n 分钟</numerusform>
        </translation>
    </message>
    <message>
        <source>Postpone</source>
        <extracomment>The notification&apos;s button that puts the action off, as the warning&apos;s &quot;Postpone %n minute(s)&quot; does.</extracomment>
        <translation>推迟</translation>
    </message>
</context>
<context>
    <name>SavePrompt</name>
    <message>
        <source>Unable to open &quot;settings.dat&quot; for writing. 
 Make sure it is not used by another program or set to read-only and retry.</source>
        <translation>无法打开“settings.dat”进行写入。
请确保它未被其他程序使用且不是只读的，然后重试。</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>忽略</translation>
    </message>
</context>
<context>
    <name>TimeLeftText</name>
    <message>
        <source>Time left:%1, %2, %3 and %4</source>
        <extracomment>The status line during a countdown: %1 is the days (&quot;%n days&quot;), %2 the hours, %3 the minutes and %4 the seconds.</extracomment>
        <translation>剩余时间：%1 %2 %3 %4</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n 天</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n 小时</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n 分钟</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n seconds</source>
        <translation>
            <numerusform>%n 秒</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>settingsDialog</name>
    <message>
        <source>Accept</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>ms</source>
        <extracomment>After the refresh interval: milliseconds.</extracomment>
        <translation>毫秒</translation>
    </message>
    <message>
        <source>Frequency (in milliseconds) of time left refreshes.
 Note: Greater value means less CPU usage, but less accuracy.</source>
        <translation>剩余时间的刷新频率（毫秒）。
注意：数值越大，CPU 占用越少，但精度越低。</translation>
    </message>
    <message numerus="yes">
        <source> Minutes</source>
        <extracomment>After the alert time, a number of minutes from 1 to 10.</extracomment>
        <translation>
            <numerusform> 分钟</numerusform>
        </translation>
    </message>
    <message>
        <source>Time between the alert and the system shutdown in minutes.</source>
        <translation>警告与系统关机之间的时间（分钟）。</translation>
    </message>
    <message>
        <source>Sleep time: </source>
        <extracomment>The time between two refreshes of the status line.</extracomment>
        <translation>刷新间隔：</translation>
    </message>
    <message>
        <source>Display alert: </source>
        <translation>显示警告：</translation>
    </message>
    <message>
        <source>Alert time: </source>
        <extracomment>How long before the action the warning comes.</extracomment>
        <translation>警告提前时间：</translation>
    </message>
</context>
</TS>
