// Stands in for GNOME Shell's extension interface on the session bus, for tests/desktop/gnome_extension.sh:
// it holds one extension in the given state (1 enabled, 2 disabled, …), or none when STATE is "none".
//   gjs gnome_shell.js UUID STATE
const { Gio, GLib } = imports.gi;

const [uuid, state] = ARGV;
const shellInterface = `<node><interface name="org.gnome.Shell.Extensions">
  <method name="GetExtensionInfo"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
</interface></node>`;

const shell = Gio.DBusExportedObject.wrapJSObject(shellInterface, {
    GetExtensionInfo(asked) {
        if (asked !== uuid || state === 'none')
            return {};
        return { uuid: new GLib.Variant('s', uuid), state: new GLib.Variant('d', Number(state)) };
    },
});
const loop = new GLib.MainLoop(null, false);
Gio.bus_own_name(Gio.BusType.SESSION, 'org.gnome.Shell', Gio.BusNameOwnerFlags.NONE,
    connection => shell.export(connection, '/org/gnome/Shell'), () => print('ready'), () => loop.quit());
loop.run();
