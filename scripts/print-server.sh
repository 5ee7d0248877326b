# Sourced by ./test: starts a CUPS server with a CUPS-PDF queue as the default
# printer, so that a test prints a report through the real print system. Where
# CUPS cannot run here, the printing test skips itself and says why.

ZTD_PDF_QUEUE=ZTD-PDF
ZTD_CUPSD_PID=

ztd_cups_answers() {
    lpstat -r 2>/dev/null | grep -q 'scheduler is running'
}

ztd_start_print_server() {
    if ! command -v cupsd >/dev/null 2>&1 && [ ! -x /usr/sbin/cupsd ]; then
        ztd_stage "Druckserver: CUPS ist nicht installiert, der Drucktest entfällt"
        return 0
    fi
    local root=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! sudo -n true 2>/dev/null; then
            ztd_stage "Druckserver: ohne root-Rechte kein CUPS, der Drucktest entfällt"
            return 0
        fi
        root=(sudo -n)
    fi
    if ztd_cups_answers; then
        # Someone's own CUPS: use our queue only if it is already the default,
        # never turn a real printer's jobs elsewhere.
        if [ "$(lpstat -d 2>/dev/null | sed 's/.*: //')" = "$ZTD_PDF_QUEUE" ]; then
            export ZTD_CUPS_PDF_QUEUE=$ZTD_PDF_QUEUE
            ztd_stage "Druckserver: CUPS läuft schon, Standarddrucker $ZTD_PDF_QUEUE"
        else
            ztd_stage "Druckserver: CUPS läuft schon mit einem anderen Standarddrucker, der Drucktest entfällt"
        fi
        return 0
    fi
    "${root[@]}" /usr/sbin/cupsd -f >"$ZTD_BUILD/cupsd.log" 2>&1 &
    ZTD_CUPSD_PID=$!
    local tries
    for tries in $(seq 50); do
        ztd_cups_answers && break
        sleep 0.1
    done
    if ! ztd_cups_answers; then
        ztd_stage "Druckserver: cupsd antwortet nicht, der Drucktest entfällt (siehe $ZTD_BUILD/cupsd.log)"
        ztd_stop_print_server
        return 0
    fi
    "${root[@]}" lpadmin -p "$ZTD_PDF_QUEUE" -E -v cups-pdf:/ \
        -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null &&
        "${root[@]}" lpadmin -d "$ZTD_PDF_QUEUE" || {
        ztd_stage "Druckserver: die CUPS-PDF-Warteschlange lässt sich nicht einrichten, der Drucktest entfällt"
        ztd_stop_print_server
        return 0
    }
    export ZTD_CUPS_PDF_QUEUE=$ZTD_PDF_QUEUE
    ztd_stage "Druckserver: CUPS mit Standarddrucker $ZTD_PDF_QUEUE (CUPS-PDF)"
}

ztd_stop_print_server() {
    if [ -n "$ZTD_CUPSD_PID" ]; then
        kill "$ZTD_CUPSD_PID" 2>/dev/null || true
        wait "$ZTD_CUPSD_PID" 2>/dev/null || true
        ZTD_CUPSD_PID=
    fi
}
