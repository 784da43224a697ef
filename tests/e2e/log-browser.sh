#!/bin/sh
# Stands for the browser and the mail program in the end-to-end tests: Wine's
# winebrowser runs it with the address, which it appends to a fixed log (Wine
# does not pass the Windows environment on to it).
echo "$*" >>/tmp/velotune-browser.log
