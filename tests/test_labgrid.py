"""The labgrid driver against the sets of docs/farm.md, run by make test-farm (labgrid_sets.py) through
labgrid's pytest plugin; set-b's session is stopped by the last test."""
import functools, shutil

import pytest
from labgrid.driver import sshdriver

from tulvak_labgrid import TulvakError

# At the end labgrid tells its ssh master to exit and at once removes the master's folder, while the master may
# still be removing its socket there: a FileNotFoundError of labgrid's own, now and then. What is gone is gone.
sshdriver.shutil = type('shutil', (), {'rmtree': staticmethod(functools.partial(shutil.rmtree, ignore_errors=True))})


@pytest.fixture
def sets(env):
    return [env.get_target(name).get_driver('TulvakDriver') for name in ('set-a', 'set-b')]


def levels(tulvak):  # each entry point's last value, with the name of the item that passed it
    return {call['entry_point']: (call['value'], call['name']) for call in tulvak.status()['calls']}


def test_the_levels_of_one_set_never_show_on_the_other(sets):
    a, b = sets
    a.set('JPEG/API')
    b.set('VE/off', 'SYS/ALL')
    assert levels(a).get('QxApi_JPEG_SetDbgLevel') == (1, 'JPEG/API')
    assert 'QxDrv_VE_SetDbgLevel' not in levels(a) and 'QxDrv_SYS_SetDbgLevel' not in levels(a)
    assert 'QxApi_JPEG_SetDbgLevel' not in levels(b)
    assert levels(b)['QxDrv_VE_SetDbgLevel'] == (0, 'VE/off')


def test_an_item_listed_is_the_item_its_numbers_reach(sets):
    a, _ = sets
    [item] = a.items('(XC_DBGLEVEL_MUX)')
    a.send(*item['path'], 99, 99)  # the module menu, then the utility menu, back to the main menu
    assert (item['action'], levels(a)['QxApi_XC_SetDbgLevel'][0]) == ('QxApi_XC_SetDbgLevel(8)', 8)
    assert len(a.items()) > len(a.items('XC Menu')) > 1 and a.status()['menu'] == 'Main Menu'


@pytest.mark.parametrize('saved', [lambda a: a.status(), lambda a: [call['name'] for call in a.status()['calls']]])
def test_restore_sets_the_saved_levels_back(sets, saved):
    a, _ = sets
    a.set('XC/AUTOGEOMETRY', 'VE/off')
    before, state = levels(a), saved(a)
    a.set('XC/HDMIMONITOR', 'VE/on')
    assert levels(a) != before
    a.restore(state)
    assert levels(a) == before


REFUSED = [  # what the job asks, tulvakctl's exit status, the first line of its message
    (lambda t: t.set('XC/SETTIMNG'), 2, "tulvakctl send: 'XC/SETTIMNG' names no item; nothing sent. Items like it:"),
    (lambda t: t.set('DMX_DBG_NONE'), 2, "tulvakctl send: 'DMX_DBG_NONE' names 2 items; nothing sent. Name one of:"),
    (lambda t: t.set(), 2, 'tulvakctl send: --set needs at least one NAME'),
    (lambda t: t.send('1 1'), 2, "tulvakctl send: not a selection number: '1 1'"),  # one argument, quoted
]


@pytest.mark.parametrize('ask, status, message', REFUSED)
def test_a_mistake_raises_with_tulvakctls_status_and_message_and_sends_nothing(sets, ask, status, message):
    a, _ = sets
    before = a.status()['selections']
    with pytest.raises(TulvakError) as raised:
        ask(a)
    assert (raised.value.status, raised.value.message.split('\n')[0]) == (status, message)
    assert a.status()['selections'] == before


def test_a_set_whose_session_stopped_raises_and_keeps_its_last_state(sets):
    a, b = sets
    b.set('XC/SYNCDETECT')
    b.send(99)  # the main menu's EXIT ends the session
    with pytest.raises(TulvakError) as raised:
        b.status()
    assert raised.value.status == 1 and raised.value.message.startswith('tulvakctl status: the session of pid ')
    assert not raised.value.state['running']
    assert {call['entry_point']: call['name'] for call in raised.value.state['calls']}['QxApi_XC_SetDbgLevel'] == \
        'XC/SYNCDETECT'
    with pytest.raises(TulvakError) as raised:
        b.set('XC/OFF')
    assert (raised.value.status, raised.value.message) == (1, 'tulvakctl send: no session is reading /Customer/tulvakpipe (timed out)')
    assert a.status()['running']
