@echo off
echo Hello from the Vantrel demo!
pause
