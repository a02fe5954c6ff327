# shellcheck shell=bash
# A CUPS server of the test run's own with one PDF queue (cups-pdf), for the tests that print:
# Wine lists the server's queue as its default printer, and each printed document lands as a PDF
# in the run's own folder. Sourced by ./test; start it before the Wine prefix's first process, which
# is when Wine reads the printers.

# Starts the server in folder $1 (made empty) and exports CUPS_SERVER, which Wine's CUPS client
# reads, and ZD_PDF_FOLDER, where the tests find the PDF files ("<title>-job_<id>.pdf").
zd_start_print_server() {
  local dir=$1
  rm -rf "$dir"
  mkdir -p "$dir"/{conf,spool,cache,state,log,tmp,pdf}
  dir=$(cd "$dir" && pwd)
  # cups-pdf takes the settings of a queue from /etc/cups/cups-pdf-<name>.conf, the name being the
  # path of the queue's device address: one of the run's own, so that runs side by side never
  # share a PDF folder.
  zd_print_queue_name="zd$$"
  zd_print_queue_conf="/etc/cups/cups-pdf-$zd_print_queue_name.conf"
  printf 'Out %s\nLabel 1\nAnonDirName %s\nSpool %s\nLog %s\nGrp root\n' \
    "$dir/pdf" "$dir/pdf" "$dir/spool" "$dir/log" >"$zd_print_queue_conf"
  chmod 1777 "$dir/pdf" "$dir/tmp"
  cat >"$dir/conf/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
Sandboxing Relaxed
CONF
  cupsd -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" -f &
  zd_print_server_pid=$!
  export CUPS_SERVER=$dir/cups.sock
  local deadline=$((SECONDS + 20))
  until lpstat -r 2>/dev/null | grep -q "is running"; do
    if ((SECONDS > deadline)) || ! kill -0 "$zd_print_server_pid" 2>/dev/null; then
      echo "cupsd did not start" >&2
      return 1
    fi
    sleep 0.2
  done
  lpadmin -p PDF -v "cups-pdf:/$zd_print_queue_name" -E \
    -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  lpadmin -d PDF
  export ZD_PDF_FOLDER=$dir/pdf
}

zd_stop_print_server() {
  [[ -z ${zd_print_server_pid:-} ]] || kill "$zd_print_server_pid" 2>/dev/null || true
  [[ -z ${zd_print_queue_conf:-} ]] || rm -f "$zd_print_queue_conf"
  zd_print_server_pid=""
}
