// Runs the GNOME Shell extension outside the Shell, for tests/desktop/gnome_extension.sh: a stand-in for
// the Shell's display with a focused window that the test changes, and the session bus of the test.
//   gjs gnome_extension.js EXTENSION_DIR
const { GLib } = imports.gi;

imports.searchPath.unshift(ARGV[0]);
const extension = imports.extension;

const handlers = [];
const display = {
    focus_window: null,
    connect(signal, handler) {
        if (signal !== 'notify::focus-window')
            throw new Error(`unexpected signal ${signal}`);
        handlers.push(handler);
        return handlers.length;
    },
    disconnect(id) {
        handlers[id - 1] = null;
    },
    focus(window) {
        this.focus_window = window;
        handlers.filter(handler => handler).forEach(handler => handler());
    },
};
globalThis.global = { display };

function window(wmClass, sandboxedAppId, gtkAppId, title) {
    return {
        get_wm_class: () => wmClass,
        get_sandboxed_app_id: () => sandboxedAppId,
        get_gtk_application_id: () => gtkAppId,
        get_title: () => title,
    };
}

// Each step runs after the bus had time to pass the previous call on.
const steps = [
    () => display.focus(null),
    () => display.focus(window('steam_app_1234', null, null, 'Racing')),
    () => display.focus(window(null, 'org.example.Sandboxed', null, 'In a box')),
    () => display.focus(window(null, null, 'org.example.Gtk', 'Plain')),
    () => reporter.disable(),
    () => display.focus(window('after', null, null, 'Disabled')),
];
display.focus_window = window('first', null, null, 'At the start');
const reporter = extension.init();
reporter.enable();
const loop = new GLib.MainLoop(null, false);
GLib.timeout_add(GLib.PRIORITY_DEFAULT, 300, () => {
    const step = steps.shift();
    if (!step) {
        loop.quit();
        return GLib.SOURCE_REMOVE;
    }
    step();
    return GLib.SOURCE_CONTINUE;
});
loop.run();
print('done');
