// Loaded into KWin by Korvane while it runs: tells it which application has the keyboard focus, on every
// activation and once at the start for the window active then. An empty app id means no window.
// KWin 6 names windows "window", KWin 5 "client".
function report(window) {
    const appId = window ? String(window.resourceClass || window.desktopFileName || "") : "";
    const title = window ? String(window.caption || "") : "";
    callDBus("org.tellurix.Korvane", "/org/tellurix/Korvane", "org.tellurix.Korvane1", "FocusChanged", appId, title);
}

if (workspace.windowActivated !== undefined) {
    workspace.windowActivated.connect(report);
    report(workspace.activeWindow);
} else {
    workspace.clientActivated.connect(report);
    report(workspace.activeClient);
}
