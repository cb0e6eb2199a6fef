// Tells Korvane which application has the keyboard focus: on every change of the focused window, and
// whenever the program appears on the session bus, for the window focused then. An empty app id means no
// window.
/* exported init */
const { Gio, GLib } = imports.gi;

const BUS_NAME = 'org.tellurix.Korvane';
const OBJECT_PATH = '/org/tellurix/Korvane';
const INTERFACE = 'org.tellurix.Korvane1';

class FocusReporter {
    enable() {
        this._focusHandler = global.display.connect('notify::focus-window', () => this._report());
        this._nameWatch = Gio.bus_watch_name(Gio.BusType.SESSION, BUS_NAME, Gio.BusNameWatcherFlags.NONE,
            () => this._report(), null);
    }

    disable() {
        global.display.disconnect(this._focusHandler);
        Gio.bus_unwatch_name(this._nameWatch);
        this._focusHandler = 0;
        this._nameWatch = 0;
    }

    _report() {
        const window = global.display.focus_window;
        let appId = '';
        let title = '';
        if (window) {
            appId = window.get_wm_class() || window.get_sandboxed_app_id() || window.get_gtk_application_id() || '';
            title = window.get_title() || '';
        }
        // The program may have left the bus meanwhile: nothing waits for the answer.
        Gio.DBus.session.call(BUS_NAME, OBJECT_PATH, INTERFACE, 'FocusChanged',
            new GLib.Variant('(ss)', [appId, title]), null, Gio.DBusCallFlags.NO_AUTO_START, -1, null, null);
    }
}

function init() {
    return new FocusReporter();
}
