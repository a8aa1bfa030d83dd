@echo off
rem Group Policy computer start-up script (Computer Configuration > Policies >
rem Windows Settings > Scripts > Startup): installs the Norvane components once.
rem It runs as the computer account, so the share must be readable by Domain Computers.

rem The set's entry is there only when every chosen component is installed.
reg query "HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\NorvaneComponents" /reg:64 >nul 2>&1
if %ERRORLEVEL% EQU 0 exit /b 0

start "" /wait "\\fileserver\deploy\Norvane\Setup.exe" /quiet /acceptlicense /log "%SystemRoot%\Temp\Norvane-install.log"
exit /b %ERRORLEVEL%
