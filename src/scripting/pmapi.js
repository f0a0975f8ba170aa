// The globals scripts see (`pm`, `postman`, `tests`, the legacy ones, timers, `require`) and the
// entry points the engine drives, which this last of the API's files hands back.
(function (lib, global, host, chai) {
    'use strict';

    var MODULES = ['lodash', 'moment'];
    var state = lib.state;
    var pending = null; // what the running script still waits for
    var modules = {}; // the exports of each module once required, for the engine's life
    var loading = {}; // the modules whose code is running now
    var hasOwn = lib.hasOwn;
    var textOf = lib.textOf;
    var consoleText = lib.consoleText;
    var describeFailure = lib.describeFailure;
    var testFailure = lib.testFailure;
    var Scope = lib.Scope;
    var ReadOnlyScope = lib.ReadOnlyScope;
    var variables = lib.variables;
    var Response = lib.Response;
    var makeRequest = lib.makeRequest;

    // ---------------------------------------------------------------- tests
    function recordTest(name, passed, error, skipped)
    {
        var result = {name: String(name), passed: passed, error: error || '', skipped: !!skipped};
        state.run.tests.push(result);
        return result;
    }

    function test(name, fn)
    {
        if (typeof fn !== 'function') {
            recordTest(name, true, '', true);
            return;
        }
        if (fn.length === 0) {
            try {
                fn();
                recordTest(name, true);
            } catch (e) {
                recordTest(name, false, testFailure(e));
            }
            return;
        }
        // An asynchronous test holds its place in the list until it calls `done`.
        var result = recordTest(name, false, '');
        result.waiting = true;
        pending.tests.push(result);
        function done(error)
        {
            if (!result.waiting)
                return;
            result.waiting = false;
            pending.tests.splice(pending.tests.indexOf(result), 1);
            result.passed = !error;
            result.error = error ? testFailure(error) : '';
        }
        try {
            fn(done);
        } catch (e) {
            done(e);
        }
        return;
    }
    function skip(name)
    {
        recordTest(name, true, '', true);
    }

    // Each script gets its own `pm.test` and `console`, so that what one script hangs on them
    // does not reach the next.
    function makeTest()
    {
        var declare = function (name, fn) {
            test(name, fn);
            return declare;
        };
        declare.skip = function (name) {
            skip(name);
            return declare;
        };
        return declare;
    }

    // ---------------------------------------------------------------- console
    function logger(level)
    {
        return function () {
            var line = Array.prototype.map.call(arguments, consoleText).join(' ');
            state.run.console.push(level ? level + ': ' + line : line);
        };
    }
    function makeConsole()
    {
        return {
            log: logger(''),
            info: logger(''),
            debug: logger(''),
            warn: logger('warn'),
            error: logger('error'),
        };
    }

    // ---------------------------------------------------------------- timers and requests
    var nextCallbackId = 1;

    function startTimer(fn, delay, args, repeat)
    {
        if (typeof fn !== 'function')
            throw new TypeError((repeat ? 'setInterval' : 'setTimeout') + ' needs a function');
        var id = nextCallbackId++;
        pending.timers[id] = {
            repeat: repeat,
            call: function () {
                fn.apply(null, args);
            },
        };
        // A timer's interval is a 32-bit count of milliseconds.
        host.startTimer(id, Math.min(Math.max(0, Number(delay) || 0), 2147483647), repeat);
        return id;
    }

    function setTimeoutFunction(fn, delay)
    {
        return startTimer(fn, delay, Array.prototype.slice.call(arguments, 2), false);
    }

    // An interval keeps its script waiting until it is cleared (or the time-out ends it).
    function setIntervalFunction(fn, delay)
    {
        return startTimer(fn, delay, Array.prototype.slice.call(arguments, 2), true);
    }

    function clearTimeoutFunction(id)
    {
        if (pending && hasOwn(pending.timers, id)) {
            delete pending.timers[id];
            host.stopTimer(id);
        }
    }

    var RAW_TYPES = {
        json: 'application/json',
        text: 'text/plain',
        javascript: 'application/javascript',
        html: 'text/html',
        xml: 'application/xml',
    };

    function requestSpec(options)
    {
        if (typeof options === 'string')
            return {url: options, method: 'GET', headers: [], body: ''};
        if (!options || typeof options !== 'object')
            throw new TypeError('pm.sendRequest needs a URL or a request');
        var headers = [];
        var header = options.header || options.headers;
        if (Array.isArray(header)) {
            header.forEach(function (row) {
                if (row && !row.disabled)
                    headers.push([String(row.key), textOf(row.value)]);
            });
        } else if (header && typeof header === 'object') {
            Object.keys(header).forEach(function (key) {
                headers.push([key, textOf(header[key])]);
            });
        }
        var body = '';
        var type = null;
        var given = options.body;
        if (typeof given === 'string') {
            body = given;
        } else if (given && (given.mode === 'raw' || given.raw !== undefined)) {
            body = textOf(given.raw);
            var language = given.options && given.options.raw && given.options.raw.language;
            type = RAW_TYPES[language] || null;
        } else if (given && given.mode === 'urlencoded') {
            var rows = Array.isArray(given.urlencoded) ? given.urlencoded : [];
            body = rows.filter(function (row) {
                return row && !row.disabled;
            }).map(function (row) {
                return encodeURIComponent(row.key) + '=' + encodeURIComponent(textOf(row.value));
            }).join('&');
            type = 'application/x-www-form-urlencoded';
        }
        // The body's kind names its type, unless the script gave one.
        var typed = headers.some(function (pair) {
            return pair[0].toLowerCase() === 'content-type';
        });
        if (type && body.length > 0 && !typed)
            headers.push(['Content-Type', type]);
        var url = options.url;
        if (url && typeof url === 'object')
            url = url.raw !== undefined ? url.raw : url.toString();
        return {
            url: String(url),
            method: String(options.method || 'GET').toUpperCase(),
            headers: headers,
            body: body,
        };
    }

    function sendRequest(options, callback)
    {
        var spec = requestSpec(options);
        var id = nextCallbackId++;
        pending.requests[id] = typeof callback === 'function' ? callback : function () {};
        host.send(id, JSON.stringify(spec));
    }

    // ---------------------------------------------------------------- require
    function requireModule(name)
    {
        name = String(name);
        if (hasOwn(modules, name))
            return modules[name];
        var source = MODULES.indexOf(name) >= 0 ? host.moduleSource(name) : null;
        if (typeof source !== 'string' || source.length === 0)
            throw new Error('Module ' + name + ' is not available');
        var module = {exports: {}};
        var factory = new Function('module', 'exports', 'require', source);
        loading[name] = true;
        try {
            factory.call(module.exports, module, module.exports, function (inner) {
                throw new Error('Module ' + inner + ' is not available');
            });
        } finally {
            delete loading[name];
        }
        modules[name] = module.exports;
        return module.exports;
    }

    // ---------------------------------------------------------------- Base64
    function btoa(text)
    {
        text = String(text);
        if (/[^\u0000-\u00ff]/.test(text))
            throw new Error('btoa: the string has characters outside of Latin-1');
        return host.btoa(text);
    }

    function atob(text)
    {
        return host.atob(String(text));
    }

    // ---------------------------------------------------------------- the globals
    function legacyScope(name)
    {
        return new Scope(name).toObject();
    }

    function setNextRequest(name)
    {
        state.run.nextRequest = {value: name === null || name === undefined ? null : String(name)};
    }

    function makePostman()
    {
        var environment = new Scope('environment');
        var globals = new Scope('globals');
        return {
            setNextRequest: setNextRequest,
            setEnvironmentVariable: function (key, value) {
                environment.set(key, value);
            },
            getEnvironmentVariable: function (key) {
                return environment.get(key);
            },
            clearEnvironmentVariable: function (key) {
                environment.unset(key);
            },
            clearEnvironmentVariables: function () {
                environment.clear();
            },
            setGlobalVariable: function (key, value) {
                globals.set(key, value);
            },
            getGlobalVariable: function (key) {
                return globals.get(key);
            },
            clearGlobalVariable: function (key) {
                globals.unset(key);
            },
            clearGlobalVariables: function () {
                globals.clear();
            },
            getResponseHeader: function (name) {
                return state.run.responseObject ? state.run.responseObject.headers.get(name) : undefined;
            },
        };
    }

    // The cookies the reply set, parsed by the engine.
    function makeCookies()
    {
        var list = state.run.response && state.run.response.cookies ? state.run.response.cookies : [];
        function find(name)
        {
            for (var i = list.length - 1; i >= 0; --i) {
                if (list[i].name === name)
                    return list[i];
            }
            return null;
        }
        return {
            get: function (name) {
                var cookie = find(String(name));
                return cookie ? cookie.value : undefined;
            },
            has: function (name) {
                return find(String(name)) !== null;
            },
            toObject: function () {
                var object = {};
                list.forEach(function (cookie) {
                    object[cookie.name] = cookie.value;
                });
                return object;
            },
            all: function () {
                return list.slice();
            },
        };
    }

    function makePm()
    {
        var info = state.run.info;
        var pm = {
            test: makeTest(),
            expect: chai.expect,
            environment: new Scope('environment'),
            globals: new Scope('globals'),
            collectionVariables: new Scope('collection'),
            variables: variables,
            iterationData: new ReadOnlyScope('data'),
            request: makeRequest(),
            response: state.run.responseObject,
            info: {
                requestName: info.requestName,
                requestId: info.requestId,
                iteration: info.iteration,
                iterationCount: info.iterationCount,
                eventName: info.eventName,
            },
            sendRequest: sendRequest,
            setNextRequest: setNextRequest,
            execution: {setNextRequest: setNextRequest},
            require: requireModule,
            cookies: makeCookies(),
            // The window has no visualizer; scripts that feed one still run to their tests.
            visualizer: {set: function () {}, clear: function () {}},
        };
        pm.environment.name = info.environmentName;
        return pm;
    }

    function legacyRequest(request)
    {
        return {
            url: request.url.toString(),
            method: request.method,
            headers: request.headers.toObject(),
            data: state.run.request.body,
            name: state.run.info.requestName,
            id: state.run.info.requestId,
        };
    }

    var API_GLOBALS = ['pm', 'postman', 'tests', 'console', 'require', 'atob', 'btoa',
        'setTimeout', 'clearTimeout', 'setInterval', 'clearInterval', 'environment', 'globals', 'data', 'iteration', 'request',
        'responseBody', 'responseCode', 'responseHeaders', 'responseTime'];

    function installGlobals()
    {
        var pm = makePm();
        var values = {
            pm: pm,
            postman: makePostman(),
            tests: {},
            console: makeConsole(),
            require: requireModule,
            atob: atob,
            btoa: btoa,
            setTimeout: setTimeoutFunction,
            clearTimeout: clearTimeoutFunction,
            setInterval: setIntervalFunction,
            clearInterval: clearTimeoutFunction,
            environment: legacyScope('environment'),
            globals: legacyScope('globals'),
            data: legacyScope('data'),
            iteration: state.run.info.iteration,
            request: legacyRequest(pm.request),
        };
        var reply = state.run.responseObject;
        if (reply) {
            values.responseBody = reply.text();
            values.responseCode = {code: reply.code, name: reply.status, detail: reply.status};
            values.responseHeaders = reply.headers.toObject();
            values.responseTime = reply.responseTime;
        }
        API_GLOBALS.forEach(function (name) {
            global[name] = values[name];
        });
    }

    for (var g = 0; g < API_GLOBALS.length; ++g)
        global[API_GLOBALS[g]] = undefined;
    // Older scripts use lodash as the global `_` without requiring it: it is read on first use.
    Object.defineProperty(global, '_', {
        configurable: true,
        get: function () {
            // lodash itself looks for an earlier `_` while it loads: there is none.
            return hasOwn(loading, 'lodash') ? undefined : requireModule('lodash');
        },
        set: function (value) {
            Object.defineProperty(global, '_', {
                value: value, writable: true, configurable: true, enumerable: true});
        },
    });

    // What the global object holds once set up (as property descriptors, so that no getter runs
    // here); a script's leftovers are taken away after it and what it replaced is put back.
    var baseline = {};
    Object.getOwnPropertyNames(global).forEach(function (name) {
        baseline[name] = Object.getOwnPropertyDescriptor(global, name);
    });

    function restoreGlobals()
    {
        Object.getOwnPropertyNames(global).forEach(function (name) {
            if (!hasOwn(baseline, name))
                delete global[name];
        });
        Object.keys(baseline).forEach(function (name) {
            var was = baseline[name];
            var now = Object.getOwnPropertyDescriptor(global, name);
            if (now && now.value === was.value && now.get === was.get && now.set === was.set)
                return;
            try {
                Object.defineProperty(global, name, was);
            } catch (e) {
                // A property the engine does not let go of (NaN, undefined) never changed.
            }
        });
    }

    // ---------------------------------------------------------------- entry points
    function guarded(fn)
    {
        try {
            fn();
            return null;
        } catch (e) {
            return describeFailure(e);
        }
    }

    function pendingCount()
    {
        if (!pending)
            return 0;
        return Object.keys(pending.timers).length + Object.keys(pending.requests).length
            + pending.tests.length;
    }

    return {
        start: function (contextText) {
            var context = JSON.parse(contextText);
            state.run = context;
            state.run.tests = [];
            state.run.console = [];
            state.run.nextRequest = undefined;
            state.run.responseObject = context.response ? new Response(context.response) : null;
        },
        runScript: function (fn) {
            pending = {timers: {}, requests: {}, tests: []};
            installGlobals();
            return guarded(function () {
                fn.call(global);
            });
        },
        pending: pendingCount,
        fire: function (id) {
            if (!pending || !hasOwn(pending.timers, id))
                return null;
            var timer = pending.timers[id];
            if (!timer.repeat)
                delete pending.timers[id];
            return guarded(timer.call);
        },
        deliver: function (id, error, replyText) {
            if (!pending || !hasOwn(pending.requests, id))
                return null;
            var callback = pending.requests[id];
            delete pending.requests[id];
            return guarded(function () {
                callback(error ? new Error(error) : null,
                    replyText ? new Response(JSON.parse(replyText)) : undefined);
            });
        },
        // The script ends: tests that never called `done` fail with `reason`, what it still
        // waited for is dropped, its legacy `tests[...]` are recorded and its globals go.
        endScript: function (reason) {
            if (pending) {
                pending.tests.forEach(function (result) {
                    result.waiting = false;
                    result.error = reason;
                });
            }
            pending = null;
            var legacy = global.tests;
            if (legacy && typeof legacy === 'object') {
                Object.keys(legacy).forEach(function (name) {
                    recordTest(name, !!legacy[name]);
                });
            }
            restoreGlobals();
        },
        finish: function () {
            var scopes = {};
            ['globals', 'collection', 'environment', 'data', 'local'].forEach(function (name) {
                scopes[name] = state.run.scopes[name].map(function (row) {
                    return {key: row.key, value: textOf(row.value), enabled: row.enabled,
                        index: row.index};
                });
            });
            scopes.hasEnvironment = !!state.run.scopes.hasEnvironment;
            var result = JSON.stringify({
                request: {
                    url: state.run.request.url,
                    urlChanged: !!state.run.request.urlChanged,
                    method: state.run.request.method,
                    headers: state.run.request.headers.map(function (row) {
                        return {key: row.key, value: row.value, enabled: !row.disabled,
                            index: row.index};
                    }),
                    body: state.run.request.body,
                    bodyChanged: !!state.run.request.bodyChanged,
                },
                scopes: scopes,
                tests: state.run.tests.map(function (result) {
                    return {name: result.name, passed: result.passed, error: result.error,
                        skipped: result.skipped};
                }),
                console: state.run.console,
                nextRequest: state.run.nextRequest,
            });
            state.run = null;
            return result;
        },
    };
})
