"""labgrid's driver for a set's debug levels: tulvakctl, run on the set through
whatever gives the target labgrid's CommandProtocol (SSHDriver, ShellDriver)."""
import json
import shlex

import attr
from labgrid.driver.common import Driver
from labgrid.factory import target_factory


class TulvakError(Exception):
    """tulvakctl exited non-zero: its exit status, its message, and its standard
    output parsed where it is JSON. `status --json` exits 1 once no session reads
    but still prints the last state, so `state` keeps a gone session's levels
    for the farm to save. A driver that merges standard error into standard
    output (ShellDriver) leaves the message there and `state` None."""

    def __init__(self, command, status, stdout, stderr):
        self.command, self.status, self.stdout = command, status, stdout
        self.message = '\n'.join(stderr or stdout)
        try:
            self.state = json.loads('\n'.join(stdout))
        except ValueError:
            self.state = None
        super().__init__(f'{command}: exit status {status}: {self.message}')


@target_factory.reg_driver
@attr.s(eq=False)
class TulvakDriver(Driver):
    """Sets and reads a set's debug levels by tulvakctl's send, status and list.
    tulvakctl is where tulvakctl is on the set; timeout bounds each send's wait,
    for a session to read and for one to start, in seconds: a session stuck in
    a driver call fails the job rather than holding it for ever."""
    bindings = {"command": "CommandProtocol"}
    tulvakctl = attr.ib(default='tulvakctl', validator=attr.validators.instance_of(str))
    timeout = attr.ib(default=30, validator=attr.validators.instance_of((int, float)))

    def _run(self, *arguments):
        command = ' '.join(shlex.quote(str(word)) for word in (self.tulvakctl, *arguments))
        stdout, stderr, status = self.command.run(command)
        if status != 0:
            raise TulvakError(command, status, stdout, stderr)
        return stdout

    @Driver.check_active
    def set(self, *names):
        """Chooses each item by its --set name; the session is back at the main menu after."""
        self._run('send', '--timeout', self.timeout, '--set', *names)

    @Driver.check_active
    def send(self, *selections):
        """Sends menu numbers; returns once the session has read them all."""
        self._run('send', '--timeout', self.timeout, *selections)

    @Driver.check_active
    def status(self):
        """The session's state; raises TulvakError, its state kept, when no session reads."""
        return json.loads('\n'.join(self._run('status', '--json')))

    @Driver.check_active
    def items(self, word=None):
        """Every item (path, menu, label, action), or those whose line holds word."""
        return json.loads('\n'.join(self._run('list', '--json', *([] if word is None else [word]))))

    @Driver.check_active
    def restore(self, saved):
        """Sets back the levels of a saved status(), or the names given (status --names).
        An entry point first called after the save keeps its level: none was known."""
        names = [call['name'] for call in saved['calls']] if isinstance(saved, dict) else list(saved)
        if None in names:
            raise ValueError('the saved state has a call whose item has no --set name here')
        if names:
            self.set(*names)
